/* Control and command identifiers: the automation interface through which
   other programs and the tests drive Keystride. Fixed; never renumber.
   Plain C preprocessor only: the resource script reads this file too. */
#ifndef KEYSTRIDE_CONTROL_IDS_H
#define KEYSTRIDE_CONTROL_IDS_H

/* Main window controls. */
#define IDC_KEY_BOX 101            /* the key box, where a path is typed */
#define IDC_JUMP 102               /* Jump, beside the key box */
#define IDC_ROOT_SWITCHER 103      /* the root switcher's group */
#define IDC_KEY_GROUP 104          /* the group around the key box, Jump and the roots */
#define IDC_ROOT_ITEM0 110         /* the root switcher's items 0 to 5: 110 to 115 */
#define IDC_FAVOURITES 120         /* the favourites list */
#define IDC_ADD_FAVOURITE 130      /* the buttons under the list, left to right: */
#define IDC_JUMP_TO_FAVOURITE 131  /*   Add, Jump, Edit, Up, Down, Remove */
#define IDC_EDIT_FAVOURITE 132
#define IDC_MOVE_UP 133
#define IDC_MOVE_DOWN 134
#define IDC_REMOVE_FAVOURITE 135
#define IDC_ABOUT 136              /* About */
#define IDC_EXIT 137               /* Exit */
#define IDC_AUTO_COPY 140          /* the auto-copy check box */
#define IDC_BANNER 150             /* the title banner's picture */
#define IDC_MAKER_LINK 151         /* the maker's name, a link to the home page */
#define IDC_UPDATE_LINK 152        /* "Check for updates...", a link */
#define IDC_TAGLINE 153            /* the tagline under the maker's name */
#define IDC_PROGRAM_ICON 154       /* the program icon, a link to the product page */
#define IDC_UPDATE_ICON 155        /* the icon before the update link */
/* The list of suggestions, in its popup under the key box. */
#define IDC_SUGGESTIONS 160

/* Commands (WM_COMMAND to the main window), in its menus. */
#define IDM_JUMP_FROM_CLIPBOARD 201
#define IDM_ADD_FAVOURITE 202
#define IDM_JUMP_TO_FAVOURITE 203
#define IDM_MOVE_UP 204
#define IDM_MOVE_DOWN 205
#define IDM_REMOVE_FAVOURITE 206
#define IDM_COPY_TO_CLIPBOARD 207
#define IDM_EDIT_FAVOURITE 208
#define IDM_CLEAR_RECENT_PATHS 209
#define IDM_OPEN 210               /* the tray menu's Open */
#define IDM_HOMEPAGE 211
#define IDM_CHECK_FOR_UPDATES 212
#define IDM_EXIT 213               /* the tray menu's Exit */
#define IDM_IMPORT_EDITOR_FAVOURITES 214
#define IDM_HOTKEYS 215            /* opens the hotkeys dialog */
#define IDM_START_WITH_WINDOWS 216 /* a check item: the Run value */
#define IDM_OPEN_LINKS 217         /* a check item: the keystride: protocol */
#define IDM_UNDO_REMOVE 218        /* puts back the favourite removed last */
/* Copy As, one notation each, in this order. */
#define IDM_COPY_AS_LONG_NAMES 220
#define IDM_COPY_AS_SHORT_NAMES 221
#define IDM_COPY_AS_POWERSHELL 222
#define IDM_COPY_AS_REG_HEADER 223
#define IDM_COPY_AS_REG_QUERY 224
#define IDM_COPY_AS_SOURCE_STRING 225
#define IDM_COPY_AS_LINK 226

/* The favourite editor; OK and Cancel are IDOK and IDCANCEL. */
#define IDC_EDITOR_KEY 301         /* its key box */
#define IDC_EDITOR_COMMENT 302     /* its comment box */
#define IDC_EDITOR_LAUNCH 303      /* Launch Registry Editor */
#define IDC_EDITOR_GROUP 304       /* the group around them */

/* The hotkeys dialog; OK and Cancel are IDOK and IDCANCEL. */
#define IDC_HOTKEY_JUMP 501        /* the Jump from Clipboard hotkey */
#define IDC_HOTKEY_SHOW 502        /* the Show Keystride hotkey */

/* The About window; OK is IDOK. */
#define IDC_ABOUT_ADDRESS 401      /* the maker's address, a link */

/* Private messages of the main window. */
#define WM_KEYSTRIDE_ACTIVATE 0x5A01
#define WM_KEYSTRIDE_TRAYICON 0x5A02
/* Posted to itself only: the settings file could not be read at start-up;
   a jump asked for on the command line waits for the window. */
#define WM_KEYSTRIDE_SETTINGS_UNREAD (WM_APP + 1)
#define WM_KEYSTRIDE_PENDING_JUMP (WM_APP + 2)
/* Posted to itself at the first showing (a start in the tray waits for it,
   so that the box has a window): hotkeys another program holds are named. */
#define WM_KEYSTRIDE_HOTKEYS_TAKEN (WM_APP + 3)

#endif
