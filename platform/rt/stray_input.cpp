#include "rt/stray_input.h"

#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <cstdlib>

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

namespace rt {

namespace {

QWindow* windowWithId(xcb_window_t id) {
  for (QWindow* w : QGuiApplication::allWindows())
    if (w->handle() && w->winId() == id) return w;
  return nullptr;
}

// The window that input sent to `id` belongs to now, or null when it may go where it was sent:
// to a window that is still there, shown, or no popup.
QWindow* newTarget(xcb_window_t id, xcb_window_t root, bool key, QPoint onScreen) {
  if (id == root) return nullptr;
  if (QWindow* w = windowWithId(id); w && (w->isVisible() || w->type() != Qt::Popup)) return nullptr;
  QWindow* to = nullptr;
  if (key) {
    to = QGuiApplication::focusWindow();
  } else {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal ratio = screen ? screen->devicePixelRatio() : 1.0;
    to = QGuiApplication::topLevelAt((QPointF(onScreen) / ratio).toPoint());
  }
  if (!to || !to->handle() || to->winId() == id) return nullptr;
  return to;
}

// The window's top left corner on the screen, in the X server's pixels.
QPoint originOf(const QWindow& w) { return (QPointF(w.mapToGlobal(QPoint(0, 0))) * w.devicePixelRatio()).toPoint(); }

}  // namespace

uint8_t inputExtensionOpcode() {
  // The offscreen platform may answer for X as well, without a connection.
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  xcb_connection_t* c = x11 && QGuiApplication::platformName() == "xcb" ? x11->connection() : nullptr;
  if (!c) return 0;
  static constexpr char kName[] = "XInputExtension";
  xcb_query_extension_reply_t* r =
      xcb_query_extension_reply(c, xcb_query_extension(c, sizeof kName - 1, kName), nullptr);
  const uint8_t op = r && r->present ? r->major_opcode : 0;
  std::free(r);
  return op;
}

StrayInput::StrayInput() : xinput_(inputExtensionOpcode()) {}

bool StrayInput::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
  if (type != "xcb_generic_event_t") return false;
  auto* ev = static_cast<xcb_generic_event_t*>(message);
  const uint8_t kind = ev->response_type & 0x7f;
  if (kind >= XCB_KEY_PRESS && kind <= XCB_MOTION_NOTIFY) {
    // Keys, buttons and motion share one layout.
    auto* e = reinterpret_cast<xcb_button_press_event_t*>(ev);
    const bool key = kind == XCB_KEY_PRESS || kind == XCB_KEY_RELEASE;
    if (QWindow* to = newTarget(e->event, e->root, key, QPoint(e->root_x, e->root_y))) {
      const QPoint origin = originOf(*to);
      e->event = static_cast<xcb_window_t>(to->winId());
      e->child = XCB_NONE;
      e->event_x = static_cast<int16_t>(e->root_x - origin.x());
      e->event_y = static_cast<int16_t>(e->root_y - origin.y());
    }
    return false;
  }
  if (kind != XCB_GE_GENERIC || !xinput_) return false;
  auto* g = reinterpret_cast<xcb_ge_generic_event_t*>(ev);
  if (g->extension != xinput_ || g->event_type < XCB_INPUT_KEY_PRESS || g->event_type > XCB_INPUT_MOTION) return false;
  // Key, button and motion events of the input extension share one layout too; places are 16.16.
  auto* e = reinterpret_cast<xcb_input_button_press_event_t*>(ev);
  const bool key = g->event_type == XCB_INPUT_KEY_PRESS || g->event_type == XCB_INPUT_KEY_RELEASE;
  if (QWindow* to = newTarget(e->event, e->root, key, QPoint(e->root_x >> 16, e->root_y >> 16))) {
    const QPoint origin = originOf(*to);
    e->event = static_cast<xcb_window_t>(to->winId());
    e->child = XCB_NONE;
    e->event_x = e->root_x - origin.x() * 65536;
    e->event_y = e->root_y - origin.y() * 65536;
  }
  return false;
}

}  // namespace rt
