#pragma once

// What the page's script (library_orvanel.js) does for the runtime: the
// windows, their controls and menus as elements of the page, the message box
// and the end of the program. Windows are known by the numbers the runtime
// gives them, controls by their position in the description and menu entries
// by their number in it (forEachMenuEntry). Every text crosses as UTF-8 with
// its length in bytes, so that a NUL inside a text is a character of it; what
// has a structure crosses as one JSON text.

#include <array>
#include <cstddef>
#include <string_view>

namespace orvanel::platform {

// What the page reports to the program through orvanel_web_event. The page
// knows the events by their names, which orvanel_web_start hands it with
// their numbers.
enum class WebEvent : int { Click, MenuChoice, CloseBox };

struct WebEventName {
    WebEvent event;
    std::string_view name;
};
inline constexpr std::array<WebEventName, 3> webEventNames = { {
    { WebEvent::Click, "click" },
    { WebEvent::MenuChoice, "menuChoice" },
    { WebEvent::CloseBox, "closeBox" },
} };

} // namespace orvanel::platform

extern "C" {

// The first call, with a JSON object: the application title for message
// boxes ("applicationTitle"), the faces of menus and message boxes
// ("menuFace") and of title bars
// ("captionFace": "file", "emboldened"), the names of the control kinds the
// windows' descriptions use ("controlKinds") and the number of each event by
// its name ("events"). The page refuses to start on a kind it cannot build.
void orvanel_web_start(const char *json, std::size_t length);

// A new hidden window, from a JSON object: its description as
// platform::json::form writes it ("form"), for each control in order the face
// it is drawn in ("faces": "file"), and the window as
// windowMarkup writes it ("markup", "menus", "rules", "signature"). A window of that
// name and signature already on the page, written into it by the site's
// build, is taken over as it is, with what the user typed and the focus.
void orvanel_web_window(int window, const char *json, std::size_t length);

void orvanel_web_show(int window);
void orvanel_web_hide(int window);
int orvanel_web_visible(int window);
// Takes the window and its elements off the page.
void orvanel_web_destroy(int window);

// The text of a text box, in memory from malloc that the caller frees; its
// length in bytes, without the NUL that ends it, in *length.
char *orvanel_web_text(int window, int control, std::size_t *length);
void orvanel_web_set_text(int window, int control, const char *text, std::size_t length);
void orvanel_web_focus(int window, int control);

// Shows the message box and returns once the user has pressed OK. The call
// waits through Asyncify: the page delivers no other event meanwhile.
void orvanel_web_message(const char *text, std::size_t length);

// The page's one ending of the program: every window and every listener of
// this run leaves the page, and the page says that the program has ended,
// with the failure when there is one (an empty failure: it ended as asked).
void orvanel_web_end(const char *failure, std::size_t length);

// The main window is up and waits for the user.
void orvanel_web_ready();

// Called by the page for each event of a window (a WebEvent), with the
// control or menu entry it concerns.
void orvanel_web_event(int window, int event, int index);
}
