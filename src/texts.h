/* Texts the program shows, shared by the code and the string table of the
   resource script, so that each stands in one place. Plain C preprocessor
   only: windres reads this file too. */
#ifndef KEYSTRIDE_TEXTS_H
#define KEYSTRIDE_TEXTS_H

#define KS_IDS_PRODUCT_NAME 65246

#define KS_TEXT_PRODUCT_NAME "Keystride"
#define KS_TEXT_VERSION "3.1"
#define KS_TEXT_NOT_FOUND "Please check whether the registry key or value exist."
/* What became of a jump that did not land. %s stands for the path. */
#define KS_TEXT_EDITOR_NOT_STARTED \
    "The Registry Editor did not start. It may be missing, or turned off by your administrator."
#define KS_TEXT_EDITOR_REFUSED \
    "The Registry Editor runs as administrator, so Keystride cannot drive it. You can close the Registry Editor and jump again."
/* The editor the jump started runs as administrator: the key, then the value. */
#define KS_TEXT_OPENED_ELEVATED \
    "The Registry Editor opened at %s. It runs as administrator, so Keystride cannot select the value %s there."
/* After either of the two above, Yes and No. */
#define KS_TEXT_RESTART_ELEVATED "Restart Keystride as administrator?"
#define KS_TEXT_RESTART_FAILED "Keystride could not be restarted as administrator"
/* The path names the default value of a key that has none set: the key. */
#define KS_TEXT_DEFAULT_NOT_SET \
    "The Registry Editor shows %s. Its default value is not set, so there is no value to select."
/* A remote path: the text, then the computer's name. */
#define KS_TEXT_ON_ANOTHER_COMPUTER \
    "%s is on another computer (%s). Keystride opens this computer's registry only."
/* Once at the start of the 32-bit build on 64-bit Windows. */
#define KS_TEXT_32_BIT_ON_64_BIT \
    "This is the 32-bit Keystride, and this Windows is 64-bit: the 32-bit Keystride cannot read the Registry Editor, so it cannot check where its jumps land. The 64-bit Keystride (Keystride-" KS_TEXT_VERSION "-win64.zip) is the one for this Windows."
/* The key was reached; the value could not be read there: the key, the value. */
#define KS_TEXT_VALUE_UNREADABLE \
    "The Registry Editor shows %s, but the value %s could not be read there: the key does not let you read its values."
#define KS_TEXT_EDITOR_NOT_ANSWERING \
    "The Registry Editor stopped answering. Wait until it responds, then jump again."
#define KS_TEXT_EDITOR_NOT_REACHED \
    "The Registry Editor could not be brought to %s. It may have been deleted or renamed since; press F5 in the Registry Editor to refresh it, then jump again."
/* Where a path that names nothing exists instead: each place, then its path. */
#define KS_TEXT_PLACE_32_BIT "The 32-bit view"
#define KS_TEXT_PLACE_64_BIT "The 64-bit view"
#define KS_TEXT_PLACE_ALL_USERS "For all users"
#define KS_TEXT_PLACE_THIS_USER "For the signed-in user"
#define KS_TEXT_PLACE_MERGED_CLASSES "The classes as programs see them"
#define KS_TEXT_PLACE_USER_CLASSES "The signed-in user's classes"
#define KS_TEXT_PLACE_MACHINE_CLASSES "The machine's classes"
#define KS_TEXT_PLACE_CONTROL_SET "The control set in use"
#define KS_TEXT_PLACE_NUMBERED_SET "The control set in use, by its number"
#define KS_TEXT_PLACE_USER_HIVE "The signed-in user's hive"
#define KS_TEXT_PLACE_USERS_HIVE "The signed-in user's hive under HKEY_USERS"
#define KS_TEXT_PLACE_VIRTUAL_STORE "The virtual store, where Windows put a program's writes"
#define KS_TEXT_PLACE_BEHIND_STORE "The machine's key behind the virtual store"
/* The not-found box's line that names what is missing. */
#define KS_TEXT_NO_SUBKEY "%s has no subkey \"%s\"."
#define KS_TEXT_NO_VALUE "%s has no value \"%s\"."
#define KS_TEXT_NO_SUBKEY_OR_VALUE "%s has no subkey or value \"%s\"."
#define KS_TEXT_NOT_A_PATH \
    "The text is not a registry path: it names no root such as HKLM or HKEY_CURRENT_USER."
#define KS_TEXT_CLIPBOARD_NO_PATH "The clipboard holds no registry path."
#define KS_TEXT_BOX_EMPTY "The box is empty: type or paste a registry path, such as HKCU\\Software."
/* The task dialog's last choice before Cancel, before the key's path. */
#define KS_TEXT_NEAREST_CHOICE "The nearest key that exists"
/* The not-found box's second line when part of the path exists. */
#define KS_TEXT_NEAREST_KEY "The nearest key that exists is %s. Jump there?"
/* After importing the Registry Editor's favourites: added, then already there. */
#define KS_TEXT_IMPORT_REPORT \
    "Added %d of the Registry Editor's favorites; %d were in the list already."
#define KS_TEXT_IMPORT_UNREADABLE "%d did not hold a registry path and were left out."
/* The suggestions under the key box: a value's mark, and the last line when
   more names match than are shown. */
#define KS_TEXT_VALUE_SUGGESTION "%s  (value)"
#define KS_TEXT_MORE_SUGGESTIONS "... and %d more: type on to narrow the list"

/* The main window's captions and hints. */
#define KS_TEXT_JUMP_BUTTON "Jum&p"
#define KS_TEXT_AUTO_COPY "Enable auto &copy from clipboard"
#define KS_TEXT_ADD_BUTTON "&Add"
#define KS_TEXT_ABOUT_BUTTON "A&bout"
#define KS_TEXT_EXIT_BUTTON "E&xit"
#define KS_TEXT_UPDATE_LINK "Check for updates..."
#define KS_TEXT_TAGLINE "Jump to a registry key directly"
#define KS_TEXT_NO_ACTION "&No Action"
#define KS_TEXT_KEY_BOX_HINT \
    "For example, HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion"
#define KS_TEXT_LIST_HINT \
    "Right-click to pop up a menu\r\nDouble-click to jump to the current registry key"
#define KS_TEXT_ROOTS_HINT "Click on these root keys to add or change"
#define KS_TEXT_KEY_COLUMN "Registry Key"
#define KS_TEXT_COMMENT_COLUMN "Comment"
/* The commands, as the menus and the buttons bound to them show them. */
#define KS_TEXT_CMD_JUMP_FROM_CLIPBOARD "Jump from &Clipboard"
#define KS_TEXT_CMD_ADD_FAVOURITE "&Add Favorite"
#define KS_TEXT_CMD_IMPORT "&Import Registry Editor Favorites"
#define KS_TEXT_CMD_JUMP_TO_FAVOURITE "&Jump"
#define KS_TEXT_CMD_EDIT_FAVOURITE "&Edit"
#define KS_TEXT_CMD_MOVE_UP "&Up"
#define KS_TEXT_CMD_MOVE_DOWN "&Down"
#define KS_TEXT_CMD_REMOVE "&Remove"
#define KS_TEXT_CMD_UNDO_REMOVE "U&ndo Remove"
#define KS_TEXT_CMD_HOTKEYS "Hot&keys..."
#define KS_TEXT_CMD_START_WITH_WINDOWS "Start with &Windows"
#define KS_TEXT_CMD_OPEN_LINKS "Open keystride: &Links"
#define KS_TEXT_CMD_COPY_AS "Copy A&s"
#define KS_TEXT_CMD_COPY_AS_LONG_NAMES "&Long Root Names"
#define KS_TEXT_CMD_COPY_AS_SHORT_NAMES "&Short Root Names"
#define KS_TEXT_CMD_COPY_AS_POWERSHELL "&PowerShell"
#define KS_TEXT_CMD_COPY_AS_REG_HEADER ".reg File &Header"
#define KS_TEXT_CMD_COPY_AS_REG_QUERY "&reg.exe Query"
#define KS_TEXT_CMD_COPY_AS_SOURCE_STRING "Source &Code String"
#define KS_TEXT_CMD_COPY_AS_LINK "&keystride: Link"
/* The key box's own menu. */
#define KS_TEXT_EDIT_UNDO "&Undo"
#define KS_TEXT_EDIT_CUT "Cu&t"
#define KS_TEXT_EDIT_COPY "&Copy"
#define KS_TEXT_EDIT_PASTE "&Paste"
#define KS_TEXT_EDIT_DELETE "&Delete"
#define KS_TEXT_EDIT_SELECT_ALL "Select &All"
/* A hotkey another program holds, at the start or at the dialog's OK. */
#define KS_TEXT_HOTKEY_TAKEN_ONE "The hotkey %s is used by another program. Keystride runs on without it."
#define KS_TEXT_HOTKEY_TAKEN_MORE \
    "The hotkeys %s are used by other programs. Keystride runs on without them."
/* The hotkeys dialog. */
#define KS_TEXT_HOTKEYS_CAPTION "Hotkeys"
#define KS_TEXT_HOTKEYS_JUMP "&Jump from Clipboard:"
#define KS_TEXT_HOTKEYS_SHOW "&Show Keystride:"
/* At its OK: keys that make no hotkey, and one hotkey for both. */
#define KS_TEXT_HOTKEY_UNUSABLE \
    "Keystride cannot use these keys as a hotkey. Choose a letter, a digit, a function key or a key such as Home or Insert, together with Ctrl or Alt."
#define KS_TEXT_HOTKEYS_SAME \
    "Jump from Clipboard and Show Keystride cannot share the hotkey %s. Choose another for one of them."
/* The tray tip's second line: a hotkey and what it does. */
#define KS_TEXT_TIP_JUMP "Jump from Clipboard"
#define KS_TEXT_TIP_SHOW "Show Keystride"
#define KS_TEXT_REGISTRY_REFUSED "Windows did not let Keystride change %s."
/* Started with a keystride: link, before anything happens. */
#define KS_TEXT_LINK_ASKS "A link asks to show %s in the Registry Editor. Show it?"
#define KS_TEXT_CMD_COPY "C&opy to Clipboard"
#define KS_TEXT_CMD_CLEAR_RECENT "Clear Recent &Paths"
#define KS_TEXT_CMD_OPEN "&Open"
#define KS_TEXT_CMD_HOMEPAGE "&Homepage"
#define KS_TEXT_CMD_CHECK_FOR_UPDATES "Check for &Updates"
#define KS_TEXT_CMD_EXIT "&Exit"
/* The favourite editor. */
#define KS_TEXT_EDITOR_ADD_CAPTION "Add Favorite"
#define KS_TEXT_EDITOR_EDIT_CAPTION "Edit Favorite"
#define KS_TEXT_EDITOR_KEY_LABEL "&Registry Key:"
#define KS_TEXT_EDITOR_COMMENT_LABEL "Co&mment:"
#define KS_TEXT_EDITOR_HINT "Enter the registry key like: HKEY_CURRENT_USER\\Software\\Microsoft"
#define KS_TEXT_EDITOR_LAUNCH "&Launch Registry Editor"
/* The About window. */
#define KS_TEXT_ABOUT_CAPTION "About Korvel Keystride"
#define KS_TEXT_ABOUT_PRODUCT "Korvel Keystride"
#define KS_TEXT_ABOUT_VERSION "Version: " KS_TEXT_VERSION "   Build 20261019"
/* The dialogs' buttons. */
#define KS_TEXT_OK "&OK"
#define KS_TEXT_CANCEL "&Cancel"
/* The settings file could not be read at the start: its path. */
#define KS_TEXT_SETTINGS_UNREAD \
    "Unable to read %s. Favorites and settings changed now will not be saved."

/* The maker's pages, opened in the default browser. */
#define KS_TEXT_MAKER_SITE "korvelsoftware.com"
#define KS_URL_HOME "https://www.korvelsoftware.com/"
#define KS_URL_PRODUCT "https://www.korvelsoftware.com/keystride/"
#define KS_URL_UPDATE "https://www.korvelsoftware.com/keystride/update/"

#endif
