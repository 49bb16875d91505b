#include "desktop/WindowActivation.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include <xcb/xcb.h>

namespace {

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  xcb_intern_atom_reply_t* reply =
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
  if (reply == nullptr) return XCB_ATOM_NONE;
  const xcb_atom_t atom = reply->atom;
  std::free(reply);
  return atom;
}

std::string Property(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property, xcb_atom_t type) {
  xcb_get_property_reply_t* reply =
      xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, type, 0, 1024), nullptr);
  if (reply == nullptr) return {};
  std::string value(static_cast<const char*>(xcb_get_property_value(reply)),
                    static_cast<std::size_t>(xcb_get_property_value_length(reply)));
  std::free(reply);
  return value;
}

std::vector<xcb_window_t> Children(xcb_connection_t* c, xcb_window_t window) {
  std::vector<xcb_window_t> out;
  xcb_query_tree_reply_t* reply = xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr);
  if (reply == nullptr) return out;
  const xcb_window_t* children = xcb_query_tree_children(reply);
  out.assign(children, children + xcb_query_tree_children_length(reply));
  std::free(reply);
  return out;
}

struct X11 {
  xcb_connection_t* c;
  xcb_window_t root;
  xcb_atom_t netWmName, utf8, wmState, netActive;
};

bool TitleMatches(const X11& x, xcb_window_t w, const std::string& title) {
  std::string name = Property(x.c, w, x.netWmName, x.utf8);
  if (name.empty()) name = Property(x.c, w, XCB_ATOM_WM_NAME, XCB_ATOM_STRING);
  return name == title;
}

// Top-level windows are children of the root, or one level below under a
// reparenting window manager.
xcb_window_t Find(const X11& x, const std::string& title) {
  for (xcb_window_t top : Children(x.c, x.root)) {
    if (TitleMatches(x, top, title)) return top;
    for (xcb_window_t inner : Children(x.c, top))
      if (TitleMatches(x, inner, title)) return inner;
  }
  return XCB_WINDOW_NONE;
}

void Activate(const X11& x, xcb_window_t w) {
  // Mapping restores a minimised window; the activation request raises it
  // and gives it the focus through the window manager.
  xcb_map_window(x.c, w);
  const uint32_t above = XCB_STACK_MODE_ABOVE;
  xcb_configure_window(x.c, w, XCB_CONFIG_WINDOW_STACK_MODE, &above);
  xcb_client_message_event_t event{};
  event.response_type = XCB_CLIENT_MESSAGE;
  event.format = 32;
  event.window = w;
  event.type = x.netActive;
  event.data.data32[0] = 2;  // request from a pager-like tool: honoured without a timestamp
  xcb_send_event(x.c, 0, x.root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&event));
  xcb_flush(x.c);
}

}  // namespace

bool ActivateTopLevelWindow(const std::string& title) {
  int screenNumber = 0;
  xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
  if (xcb_connection_has_error(c) != 0) {
    xcb_disconnect(c);
    return false;
  }
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c));
  for (int i = 0; i < screenNumber && screens.rem > 0; ++i) xcb_screen_next(&screens);
  bool found = false;
  if (screens.rem > 0) {
    const X11 x{c, screens.data->root, Atom(c, "_NET_WM_NAME"), Atom(c, "UTF8_STRING"), Atom(c, "WM_STATE"),
                Atom(c, "_NET_ACTIVE_WINDOW")};
    const xcb_window_t window = Find(x, title);
    found = window != XCB_WINDOW_NONE;
    if (found) Activate(x, window);
  }
  xcb_disconnect(c);
  return found;
}
