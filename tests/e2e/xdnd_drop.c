/* xdnd_drop XWINDOW ROOTX ROOTY PATH...: the files PATH (absolute Linux paths) dropped at a root point
 * on the XDND-aware window below or above XWINDOW, as a desktop's file manager drops them (text/uri-list).
 * Exit code 0 once the target has finished the drop; 1 when it has no XdndAware, refuses or takes 10 s. */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <ctype.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

enum { AWARE, SELECTION, ENTER, POSITION, STATUS, LEAVE, DROP, FINISHED, COPY, URI_LIST, ATOMS };
static char *names[ATOMS] = {"XdndAware", "XdndSelection", "XdndEnter", "XdndPosition", "XdndStatus",
                             "XdndLeave", "XdndDrop", "XdndFinished", "XdndActionCopy", "text/uri-list"};
static Atom atom[ATOMS];
static Display *dpy;
static Window source, target;
static char list[65536];  /* the file:// URIs, one a line, CRLF */

static long aware_version(Window w) {
    Atom type; int format; unsigned long n, after; unsigned char *data = NULL; long v = -1;
    if (XGetWindowProperty(dpy, w, atom[AWARE], 0, 1, False, XA_ATOM, &type, &format, &n, &after, &data) == Success &&
        data && n == 1) v = *(long *)data;
    if (data) XFree(data);
    return v;
}
/* The deepest window under the point, from w down, that is XDND-aware; else its nearest aware ancestor. */
static Window find_target(Window w, int x, int y, long *version) {
    Window found = 0, cur, child, root = DefaultRootWindow(dpy), parent, *kids;
    int cx, cy; unsigned n; long v;
    for (cur = w; cur; cur = child) {
        if ((v = aware_version(cur)) >= 0) found = cur, *version = v;
        if (!XTranslateCoordinates(dpy, root, cur, x, y, &cx, &cy, &child)) break;
    }
    for (cur = w; !found && cur != root && XQueryTree(dpy, cur, &root, &parent, &kids, &n); cur = parent) {
        if (kids) XFree(kids);
        if ((v = aware_version(parent)) >= 0) found = parent, *version = v;
    }
    return found;
}
static void send(Atom type, long l1, long l2, long l3, long l4) {
    XEvent e = {.xclient = {ClientMessage, 0, 0, dpy, target, type, 32, {.l = {(long)source, l1, l2, l3, l4}}}};
    XSendEvent(dpy, target, False, NoEventMask, &e);
    XFlush(dpy);
}
static void answer(XSelectionRequestEvent *r) {
    XEvent e = {.xselection = {SelectionNotify, 0, 0, dpy, r->requestor, r->selection, r->target, None, r->time}};
    if (r->selection == atom[SELECTION] && r->target == atom[URI_LIST]) {
        e.xselection.property = r->property ? r->property : r->target;
        XChangeProperty(dpy, r->requestor, e.xselection.property, atom[URI_LIST], 8, PropModeReplace,
                        (unsigned char *)list, (int)strlen(list));
    }
    XSendEvent(dpy, r->requestor, False, NoEventMask, &e);
    XFlush(dpy);
}
/* Serves the selection until an event of that type (a client message of that message type) comes; 0 after 10 s. */
static int wait_for(int type, Atom message, XEvent *e) {
    time_t end = time(NULL) + 10;
    while (time(NULL) < end) {
        struct pollfd connection = {ConnectionNumber(dpy), POLLIN, 0};
        while (XPending(dpy)) {
            XNextEvent(dpy, e);
            if (e->type == SelectionRequest) answer(&e->xselectionrequest);
            if (e->type == type && (type != ClientMessage || e->xclient.message_type == message)) return 1;
        }
        poll(&connection, 1, 100);
    }
    return 0;
}
static int fail(const char *why) {
    fprintf(stderr, "xdnd_drop: %s (target window 0x%lx)\n", why, (unsigned long)target);
    if (target) send(atom[LEAVE], 0, 0, 0, 0);
    return 1;
}

int main(int argc, char **argv) {
    long version = -1;
    int i, x = argc > 3 ? atoi(argv[2]) : 0, y = argc > 3 ? atoi(argv[3]) : 0;
    Time now;
    XEvent e;
    if (argc < 5) return fprintf(stderr, "usage: xdnd_drop XWINDOW ROOTX ROOTY PATH...\n"), 2;
    if (!(dpy = XOpenDisplay(NULL))) return fail("no X display");
    for (i = 4; i < argc; i++) {
        const unsigned char *p;
        strcat(list, "file://");
        for (p = (const unsigned char *)argv[i]; *p && strlen(list) < sizeof list - 8; p++)
            if (*p < 128 && (isalnum(*p) || strchr("-._~/", *p)))
                strncat(list, (const char *)p, 1);
            else sprintf(list + strlen(list), "%%%02X", *p);
        strcat(list, "\r\n");
    }
    XInternAtoms(dpy, names, ATOMS, False, atom);
    source = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 0, 0, 1, 1, 0, 0, 0);
    XSelectInput(dpy, source, PropertyChangeMask);  /* a property change gives the server's time */
    XChangeProperty(dpy, source, atom[SELECTION], XA_STRING, 8, PropModeAppend, NULL, 0);
    if (!wait_for(PropertyNotify, 0, &e)) return fail("no time from the server");
    XSetSelectionOwner(dpy, atom[SELECTION], source, now = e.xproperty.time);
    if (!(target = find_target((Window)strtoul(argv[1], NULL, 0), x, y, &version))) return fail("no XdndAware window");
    XWarpPointer(dpy, None, DefaultRootWindow(dpy), 0, 0, 0, 0, x, y);  /* where a dragging pointer would be */
    send(atom[ENTER], (version < 5 ? version : 5) << 24, (long)atom[URI_LIST], 0, 0);
    send(atom[POSITION], 0, (x & 0xFFFFL) << 16 | (y & 0xFFFF), (long)now, (long)atom[COPY]);
    if (!wait_for(ClientMessage, atom[STATUS], &e)) return fail("no XdndStatus");
    if (!(e.xclient.data.l[1] & 1)) return fail("the target refuses the drop");
    send(atom[DROP], 0, (long)now, 0, 0);
    if (!wait_for(ClientMessage, atom[FINISHED], &e)) return fail("no XdndFinished");
    return version >= 5 && !(e.xclient.data.l[1] & 1) ? fail("the target did not take the drop") : 0;
}
