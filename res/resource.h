/* Resource identifiers of keystride.exe. Plain C preprocessor only. */
#ifndef KEYSTRIDE_RESOURCE_H
#define KEYSTRIDE_RESOURCE_H

#define IDI_KEYSTRIDE 1      /* program icon: 16, 32, 48 pixels */
#define IDI_UPDATE 2         /* the small update icon, 16 pixels */
#define IDB_JUMP_GLYPH 10    /* the Jump button's 16 by 16 picture, 24 bits */
#define IDR_BANNER_MAIN 20   /* main window title banner, JPEG (RCDATA) */
#define IDR_BANNER_ABOUT 21  /* About window banner, JPEG (RCDATA) */
#define IDR_MANIFEST 1

/* String table entries besides those in texts.h. */
#define IDS_VERSION 65247      /* "3.1" */
#define IDS_URL_HOME 65248     /* the maker's home page */
#define IDS_URL_PRODUCT 65249  /* the product's page; the banner's program icon and the About link open it */
#define IDS_URL_UPDATE 65250   /* the product's update page */

#endif
