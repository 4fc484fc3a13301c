#pragma once
// What every page command does with its page: a write takes the values from
// the open window of the page's kind, else from DatiProgetto; a read puts
// what came back in the same place. The window is taken afresh after the
// exchange, whose waits may have let it close: one closed meanwhile gets
// nothing.

#include "link/codec.h"
#include "link/commands.h"
#include "project/active_page.h"
#include "project/state.h"

namespace zuv {

// The registered window (FormAttivo) as the page view of its kind, or
// nullptr when it is none or another window.
template <class View>
View* activePage(PageKind kind)
{
    ActivePage* p = StatoComunicazione.FormAttivo;
    return p && p->pageKind() == kind ? dynamic_cast<View*>(p) : nullptr;
}

// A value read from the instrument as a list's selection: nothing when it is
// no item of the list.
template <class View, class List>
void setListFromInstrument(View& view, List list, qint64 value)
{
    view.setListIndex(list, indexOrNone(value, view.listCount(list)));
}

template <class Page, class View>
struct PageCodec {
    View* (*active)();
    Page (*fromRecord)(const ProjectRecord&);
    Page (*fromView)(const View&);
    QByteArray (*encode)(const Page&);
    Page (*decode)(QByteArrayView);
    void (*store)(const Page&, ProjectRecord&);
    void (*show)(const Page&, View&);
};

template <class Page, class View>
bool sendPage(quint8 code, const PageCodec<Page, View>& c)
{
    const View* view = c.active();
    return writePageFrame(code, c.encode(view ? c.fromView(*view) : c.fromRecord(DatiProgetto)));
}

template <class Page, class View>
bool readPage(quint8 code, const PageCodec<Page, View>& c)
{
    const bool toView = c.active() != nullptr;
    const QByteArray reply = readPageReply(code);
    if (reply.isEmpty())
        return false;
    const Page page = c.decode(reply);
    if (!toView)
        c.store(page, DatiProgetto);
    else if (View* view = c.active())
        c.show(page, *view);
    return true;
}

} // namespace zuv
