#pragma once

#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

namespace vesk {

struct FreeDeleter {
    void operator()(void* memory) const { std::free(memory); }
};

// What xcb hands over to be freed (a reply, an error, an event, a list of key codes), freed
// with its holder.
template <class Reply> using XcbReply = std::unique_ptr<Reply, FreeDeleter>;

// The reply to `cookie`, fetched by one of xcb's `..._reply` functions; nothing on an error,
// which is not asked for.
template <class Reply, class Cookie>
XcbReply<Reply> xcbReply(Reply* (*fetch)(xcb_connection_t*, Cookie, xcb_generic_error_t**),
                         xcb_connection_t* connection, Cookie cookie) {
    return XcbReply<Reply>(fetch(connection, cookie, nullptr));
}

// The same, with the error, when there is one, in `error`.
template <class Reply, class Cookie>
XcbReply<Reply> xcbReply(Reply* (*fetch)(xcb_connection_t*, Cookie, xcb_generic_error_t**),
                         xcb_connection_t* connection, Cookie cookie, XcbReply<xcb_generic_error_t>& error) {
    xcb_generic_error_t* taken = nullptr;
    XcbReply<Reply> reply(fetch(connection, cookie, &taken));
    error.reset(taken);
    return reply;
}

} // namespace vesk
