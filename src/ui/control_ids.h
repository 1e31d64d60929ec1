/* Control and command identifiers: the automation interface through which
   other programs and the tests drive Keystride. Fixed; never renumber.
   Plain C preprocessor only: the resource script reads this file too. */
#ifndef KEYSTRIDE_CONTROL_IDS_H
#define KEYSTRIDE_CONTROL_IDS_H

/* Main window controls. */
#define IDC_EREGKEY 101
#define IDC_BOPEN 102
#define IDC_RGPRE 103
#define IDC_GROUPBOX2 104
#define IDC_RGPRE_ITEM0 110 /* items 0 to 5: 110 to 115 */
#define IDC_LISTVIEW1 120
#define IDC_BADDTOLIST 130
#define IDC_BJUMPFROMLIST 131
#define IDC_BEDIT 132
#define IDC_BUP 133
#define IDC_BDOWN 134
#define IDC_BREMOVE 135
#define IDC_BABOUT 136
#define IDC_BEXIT 137
#define IDC_CBAUTOCOPY 140
#define IDC_IMGTITLE 150
#define IDC_LTITLE 151
#define IDC_LUPDATE 152
#define IDC_LTITLEHINT 153
#define IDC_IMAGE1 154
#define IDC_IUPDATE 155
/* The list of suggestions, in its popup under the key box. */
#define IDC_SUGGESTIONS 160

/* Commands (WM_COMMAND to the main window). */
#define IDM_AJUMPFROMCLIPBOARD 201
#define IDM_AADDLIST 202
#define IDM_AJUMPFROMLIST 203
#define IDM_AMOVEUP 204
#define IDM_AMOVEDOWN 205
#define IDM_AREMOVE 206
#define IDM_ACOPYTOCLIPBOARD 207
#define IDM_AEDIT 208
#define IDM_ACLEARRECENT 209
#define IDM_AIMPORTEDITORFAVOURITES 214
#define IDM_MIOPEN 210
#define IDM_MIHOMEPAGE 211
#define IDM_MICHECKFORUPDATE 212
#define IDM_MIEXIT 213

/* Favourite editor ("Add to list"); OK and Cancel are IDOK and IDCANCEL. */
#define IDC_EREGISTRYKEY 301
#define IDC_ECOMMENT 302
#define IDC_BLAUNCHREGEDIT 303
#define IDC_SUIGROUPBOX1 304

/* About window; OK is IDOK. */
#define IDC_LBEADDRESS 401

/* Private messages of the main window. */
#define WM_KEYSTRIDE_ACTIVATE 0x5A01
#define WM_KEYSTRIDE_TRAYICON 0x5A02
/* Posted to itself only: the settings file could not be read at start-up;
   a jump asked for on the command line waits for the window. */
#define WM_KEYSTRIDE_SETTINGS_UNREAD (WM_APP + 1)
#define WM_KEYSTRIDE_PENDING_JUMP (WM_APP + 2)

#endif
