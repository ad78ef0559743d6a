#pragma once

// What the page's script (library_orvanel.js) does for the runtime: the
// windows, their controls and menus as elements of the page, the message box
// and the end of the program. Windows are known by the numbers the runtime
// gives them, controls by their position in the description and menu entries
// by their number in it. Texts are UTF-8; those without a length end with a
// NUL character.

#include <cstddef>

extern "C" {

// The first call: the application title for message boxes, the twips in one
// CSS pixel, and the faces of menus, message boxes and title bars.
void orvanel_web_start(const char *applicationTitle, int twipsPerPixel, const char *menuFace,
    const char *captionFace, int captionEmboldened);

// A new hidden window with an empty client area.
void orvanel_web_window(int window, const char *name, const char *title, int clientWidthTwips,
    int clientHeightTwips, int centred, int applicationIcon);

enum OrvanelWebControlKind {
    orvanel_web_label,
    orvanel_web_text_box,
    orvanel_web_push_button,
    orvanel_web_frame
};

// A control in the client area or in the frame numbered container (-1: none).
// The face is a file under fonts/; colour is 0xRRGGBB, or -1 for the default.
void orvanel_web_control(int window, int control, int kind, const char *name, const char *text,
    int leftTwips, int topTwips, int widthTwips, int heightTwips, int tabIndex, int container,
    const char *face, int emboldened, int pixels, int underline, int colour,
    const char *accessibleName);

// A menu entry under the entry numbered parent (-1: the menu bar); functionKey
// is 1 to 12 for F1 to F12, 0 for none.
void orvanel_web_menu_entry(int window, int entry, int parent, const char *name, const char *text,
    int functionKey, int enabled, int opensMenu);

void orvanel_web_show(int window);
void orvanel_web_hide(int window);
int orvanel_web_visible(int window);
// Takes the window and its elements off the page.
void orvanel_web_destroy(int window);

// The text of a text box, in memory from malloc that the caller frees.
char *orvanel_web_text(int window, int control);
void orvanel_web_set_text(int window, int control, const char *text, std::size_t length);
void orvanel_web_focus(int window, int control);

// Shows the message box and returns once the user has pressed OK. The call
// waits through Asyncify: the page delivers no other event meanwhile.
void orvanel_web_message(const char *text, std::size_t length);

// Every window leaves the page, and the page says that the program has ended.
void orvanel_web_end();

// The main window is up and waits for the user.
void orvanel_web_ready();

// Called by the page for each click, menu choice or close box.
enum OrvanelWebEvent { orvanel_web_click, orvanel_web_menu_choice, orvanel_web_close_box };
void orvanel_web_event(int window, int event, int index);
}
