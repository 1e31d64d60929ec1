/* Texts the program shows, shared by the code and the string table of the
   resource script, so that each stands in one place. Plain C preprocessor
   only: windres reads this file too. */
#ifndef KEYSTRIDE_TEXTS_H
#define KEYSTRIDE_TEXTS_H

#define KS_IDS_NOT_FOUND 65217
#define KS_IDS_TRAY_TIP 65218
#define KS_IDS_PRODUCT_NAME 65246

#define KS_TEXT_PRODUCT_NAME "Keystride"
#define KS_TEXT_VERSION "3.1"
#define KS_TEXT_NOT_FOUND "Please check whether the registry key or value exist."
#define KS_TEXT_TRAY_TIP "Left Click to activate Keystride\r\nRight Click to popup menu"

/* The maker's pages, opened in the default browser. */
#define KS_TEXT_MAKER_SITE "korvelsoftware.com"
#define KS_URL_HOME "https://www.korvelsoftware.com/"
#define KS_URL_PRODUCT "https://www.korvelsoftware.com/keystride/"
#define KS_URL_UPDATE "https://www.korvelsoftware.com/keystride/update/"

#endif
