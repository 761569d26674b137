#include "platform/process/WindowLister.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace zav {
namespace {

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T>
Reply<T> Own(T* p)
{
    return Reply<T>(p, &std::free);
}

// One connection for one look at the desktop; closed on destruction.
class Connection {
public:
    Connection()
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            return;
        int screenNumber = 0;
        conn_ = xcb_connect(nullptr, &screenNumber);
        if (!conn_ || xcb_connection_has_error(conn_))
            return;
        xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(conn_));
        for (int i = 0; it.rem && i < screenNumber; ++i)
            xcb_screen_next(&it);
        if (!it.rem)
            return;
        root_ = it.data->root;
        ok_ = true;
    }
    ~Connection()
    {
        if (conn_)
            xcb_disconnect(conn_);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool ok() const { return ok_; }
    xcb_connection_t* get() const { return conn_; }
    xcb_window_t root() const { return root_; }

    xcb_atom_t Atom(const char* name) const
    {
        const auto len = static_cast<uint16_t>(std::char_traits<char>::length(name));
        auto r = Own(xcb_intern_atom_reply(conn_, xcb_intern_atom(conn_, 1, len, name), nullptr));
        return r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    }

    // The whole value of a property, or null when the window lacks it.
    Reply<xcb_get_property_reply_t> Property(xcb_window_t w, xcb_atom_t prop, xcb_atom_t type) const
    {
        if (prop == XCB_ATOM_NONE)
            return Own<xcb_get_property_reply_t>(nullptr);
        auto r = Own(xcb_get_property_reply(
            conn_, xcb_get_property(conn_, 0, w, prop, type, 0, 1u << 20), nullptr));
        if (r && r->type == XCB_ATOM_NONE)
            r.reset();
        return r;
    }

private:
    xcb_connection_t* conn_ = nullptr;
    xcb_window_t root_ = XCB_WINDOW_NONE;
    bool ok_ = false;
};

struct Atoms {
    explicit Atoms(const Connection& c)
        : clientList(c.Atom("_NET_CLIENT_LIST")), netWmName(c.Atom("_NET_WM_NAME")),
          utf8String(c.Atom("UTF8_STRING")), wmState(c.Atom("WM_STATE")), netWmState(c.Atom("_NET_WM_STATE")),
          hidden(c.Atom("_NET_WM_STATE_HIDDEN"))
    {
    }
    xcb_atom_t clientList, netWmName, utf8String, wmState, netWmState, hidden;
};

QString Caption(const Connection& c, const Atoms& a, xcb_window_t w)
{
    if (a.netWmName != XCB_ATOM_NONE && a.utf8String != XCB_ATOM_NONE) {
        if (auto r = c.Property(w, a.netWmName, a.utf8String); r && r->format == 8) {
            const int n = xcb_get_property_value_length(r.get());
            if (n > 0)
                return QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(r.get())), n);
        }
    }
    if (auto r = c.Property(w, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY); r && r->format == 8) {
        const int n = xcb_get_property_value_length(r.get());
        const char* data = static_cast<const char*>(xcb_get_property_value(r.get()));
        if (n > 0) {
            // STRING is Latin-1 by convention; some programs put UTF-8 there.
            if (a.utf8String != XCB_ATOM_NONE && r->type == a.utf8String)
                return QString::fromUtf8(data, n);
            return QString::fromLatin1(data, n);
        }
    }
    return QString();
}

bool Viewable(const Connection& c, xcb_window_t w)
{
    auto r = Own(xcb_get_window_attributes_reply(c.get(), xcb_get_window_attributes(c.get(), w), nullptr));
    return r && r->map_state == XCB_MAP_STATE_VIEWABLE;
}

// A managed window that is iconified, or in the normal state but unmapped (another
// desktop), is still shown to the user in the sense the host check means.
bool ShownByManager(const Connection& c, const Atoms& a, xcb_window_t w)
{
    constexpr uint32_t kWithdrawn = 0, kNormal = 1, kIconic = 3;
    if (a.wmState != XCB_ATOM_NONE) {
        if (auto r = c.Property(w, a.wmState, a.wmState); r && r->format == 32 &&
                                                          xcb_get_property_value_length(r.get()) >= 4) {
            const uint32_t state = *static_cast<const uint32_t*>(xcb_get_property_value(r.get()));
            if (state == kNormal || state == kIconic)
                return true;
            if (state == kWithdrawn)
                return false;
        }
    }
    if (a.netWmState != XCB_ATOM_NONE && a.hidden != XCB_ATOM_NONE) {
        if (auto r = c.Property(w, a.netWmState, XCB_ATOM_ATOM); r && r->format == 32) {
            const int n = xcb_get_property_value_length(r.get()) / 4;
            const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(r.get()));
            for (int i = 0; i < n; ++i)
                if (atoms[i] == a.hidden)
                    return true;
        }
    }
    return false;
}

} // namespace

QList<TopLevelWindow> X11WindowLister::TopLevelWindows() const
{
    QList<TopLevelWindow> out;
    Connection c;
    if (!c.ok())
        return out;
    const Atoms a(c);

    QList<xcb_window_t> windows;
    bool managed = false;
    if (auto r = c.Property(c.root(), a.clientList, XCB_ATOM_WINDOW); r && r->format == 32) {
        managed = true;
        const int n = xcb_get_property_value_length(r.get()) / 4;
        const auto* ids = static_cast<const xcb_window_t*>(xcb_get_property_value(r.get()));
        for (int i = 0; i < n; ++i)
            windows.append(ids[i]);
    } else {
        auto tree = Own(xcb_query_tree_reply(c.get(), xcb_query_tree(c.get(), c.root()), nullptr));
        if (tree) {
            const int n = xcb_query_tree_children_length(tree.get());
            const xcb_window_t* ids = xcb_query_tree_children(tree.get());
            for (int i = 0; i < n; ++i)
                windows.append(ids[i]);
        }
    }

    for (xcb_window_t w : windows) {
        TopLevelWindow t;
        t.id = w;
        t.caption = Caption(c, a, w);
        t.visible = Viewable(c, w) || (managed && ShownByManager(c, a, w));
        out.append(t);
    }
    return out;
}

QString X11WindowLister::TituloVentana(quint32 window)
{
    Connection c;
    if (!c.ok())
        return QString();
    const Atoms a(c);
    return Caption(c, a, window);
}

} // namespace zav
