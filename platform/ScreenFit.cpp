#include "platform/ScreenFit.h"

#include <QApplication>
#include <QBoxLayout>
#include <QGuiApplication>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>
#include <algorithm>
#include <limits>
#include <vector>

namespace brindlemar {

namespace {

// A desktop panel where the screen reports none, and a window's frame where
// the window manager has not drawn one yet, in device-independent pixels.
constexpr int PanelAllowance = 40;
constexpr int TitleBarAllowance = 28;
constexpr int BorderAllowance = 4;

const char* const AreaName = "ScreenFitArea";

QMargins FrameMargins(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    QMargins margins(BorderAllowance, TitleBarAllowance, BorderAllowance, BorderAllowance);
    // a frame the window manager drew may be larger; one not drawn yet is taken as allowed
    if (window->isVisible() && frame != client)
        margins = margins | QMargins(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                            frame.bottom() - client.bottom());
    return margins;
}

QScrollArea* NewArea(QWidget* window, QWidget* content) {
    auto* area = new QScrollArea(window);
    area->setObjectName(AreaName);
    area->setFrameShape(QFrame::NoFrame);
    // no Tab stop of its own, that would show nothing: the controls it holds are
    area->setFocusPolicy(Qt::NoFocus);
    area->setWidget(content);
    return area;
}

// The extra room the scroll bars of `area` take once its contents are larger than it.
QSize ScrollBarRoom(const QScrollArea* area) {
    const int bar = area->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, area);
    return {bar, bar};
}

// A control that scrolls its own contents down: a grid or a text. Made
// lower, it keeps what it holds in reach, its headings in sight, and it
// keeps at least a few lines of its font.
const QAbstractScrollArea* ScrollsDown(const QWidget* w) {
    const auto* area = qobject_cast<const QAbstractScrollArea*>(w);
    if (area == nullptr || area->objectName() == AreaName || qobject_cast<const QScrollArea*>(w) != nullptr) return nullptr;
    return area->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOff ? nullptr : area;
}

int LeastScrollingHeight(const QAbstractScrollArea* area) {
    return std::min(area->height(), 6 * area->fontMetrics().lineSpacing() + 2 * area->frameWidth());
}

// The children a container shows, placed by position.
std::vector<QWidget*> PlacedChildren(const QWidget* parent) {
    std::vector<QWidget*> children;
    for (QObject* o : parent->children())
        if (auto* w = qobject_cast<QWidget*>(o); w != nullptr && !w->isWindow() && !w->isHidden()) children.push_back(w);
    return children;
}

// The pages of a tab control are as high as the area it shows them in.
int PageHeight(const QTabWidget* tabs) {
    const QWidget* shown = tabs->currentWidget();
    return shown != nullptr ? shown->height() : 0;
}

int HeightToGive(const QWidget* w);

// What `parent`, `height` high, shows when `giver` gives height: the
// children below it move up with it, the others stay where they are.
struct Giving {
    QWidget* giver = nullptr;
    int most = 0;    // how much lower `parent` can then be
    int bottom = 0;  // the foot of the giver and of what moves with it, before it gives
};

// Grids placed one under the other share their border line.
bool StandsBelow(const QWidget* w, const QWidget* above) { return w->y() >= above->geometry().bottom() - 2; }

Giving BestGiver(const QWidget* parent, int height) {
    Giving best;
    if (parent->layout() != nullptr) return best;
    const std::vector<QWidget*> children = PlacedChildren(parent);
    for (QWidget* giver : children) {
        const int can = HeightToGive(giver);
        if (can <= 0) continue;
        int moving = giver->geometry().bottom() + 1, staying = 0;
        for (const QWidget* w : children) {
            if (w == giver) continue;
            int& foot = StandsBelow(w, giver) ? moving : staying;
            foot = std::max(foot, w->geometry().bottom() + 1);
        }
        const int most = std::min(height - staying, height - moving + can);
        if (most > best.most) best = {giver, most, moving};
    }
    return best;
}

// How much lower `w` can be made while all it holds stays in reach.
int HeightToGive(const QWidget* w) {
    if (const QAbstractScrollArea* area = ScrollsDown(w)) return area->height() - LeastScrollingHeight(area);
    if (const auto* tabs = qobject_cast<const QTabWidget*>(w)) {
        // every page gives the same
        int least = tabs->count() > 0 ? std::numeric_limits<int>::max() : 0;
        for (int i = 0; i < tabs->count(); ++i) {
            const QWidget* page = tabs->widget(i);
            const int pageHeight = PageHeight(tabs);
            int bottom = 0;
            for (const QWidget* c : PlacedChildren(page)) bottom = std::max(bottom, c->geometry().bottom() + 1);
            least = std::min(least, std::max(pageHeight - bottom, BestGiver(page, pageHeight).most));
        }
        return least;
    }
    if (qobject_cast<const QAbstractScrollArea*>(w) != nullptr) return 0;
    return BestGiver(w, w->height()).most;
}

void GiveHeight(QWidget* w, int height);

// Makes `parent`, `height` high, show what it holds `less` lower.
void GiveContentsHeight(QWidget* parent, int height, int less) {
    int bottom = 0;
    for (const QWidget* c : PlacedChildren(parent)) bottom = std::max(bottom, c->geometry().bottom() + 1);
    if (bottom <= height - less) return;
    const Giving g = BestGiver(parent, height);
    if (g.giver == nullptr) return;
    const int give = std::max(0, g.bottom - (height - less));
    for (QWidget* w : PlacedChildren(parent))
        if (w != g.giver && StandsBelow(w, g.giver)) w->move(w->x(), w->y() - give);
    GiveHeight(g.giver, give);
}

void GiveHeight(QWidget* w, int height) {
    if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
        const int pageHeight = PageHeight(tabs);
        for (int i = 0; i < tabs->count(); ++i) GiveContentsHeight(tabs->widget(i), pageHeight, height);
    } else if (ScrollsDown(w) == nullptr) {
        GiveContentsHeight(w, w->height(), height);
    }
    w->resize(w->width(), w->height() - height);
}

// A window placed by position that is too high for its room, with a grid or
// text that scrolls by itself: that control gives the height, so the window
// scrolls in one place only, and what stands above the control (its
// headings, the names it lists) stays in sight as it scrolls.
bool GiveHeightToScrollingControl(QWidget* window, const QRect& room) {
    const QSize designed = window->size();
    const int excess = designed.height() - room.height();
    if (excess <= 0 || designed.width() > room.width()) return false;
    if (BestGiver(window, designed.height()).most < excess) return false;
    GiveContentsHeight(window, designed.height(), excess);
    window->setMinimumSize(0, 0);
    if (window->maximumSize() == designed)
        window->setFixedSize(designed.width(), designed.height() - excess);
    else
        window->resize(designed.width(), designed.height() - excess);
    return true;
}

// The tab control that holds all a window shows but what stands below it
// (its buttons, a help line), if there is one.
QTabWidget* TabsAboveAll(QWidget* window) {
    QTabWidget* tabs = nullptr;
    for (QWidget* w : PlacedChildren(window))
        if (auto* t = qobject_cast<QTabWidget*>(w); t != nullptr && tabs == nullptr) tabs = t;
    if (tabs == nullptr) return nullptr;
    for (const QWidget* w : PlacedChildren(window))
        if (w != tabs && !StandsBelow(w, tabs)) return nullptr;
    return tabs;
}

// The least size of a page placed by position: all it holds, with the
// margins it keeps on its left and top on the other sides as well.
QSize PlacedPageSize(const QWidget* page) {
    QRect held;
    for (const QWidget* c : PlacedChildren(page)) held |= c->geometry();
    return {held.right() + 1 + std::max(0, held.left()), held.bottom() + 1 + std::max(0, held.top())};
}

// The page `area` shows measured, and the area's bars shown or hidden as
// the page needs them, now rather than once the events waiting are handled:
// what is placed next sees the room the page has.
void MeasureNow(QScrollArea* area) {
    if (QLayout* layout = area->widget()->layout()) layout->activate();
    area->setWidgetResizable(true);
    area->setVerticalScrollBarPolicy(area->verticalScrollBarPolicy());
    area->setHorizontalScrollBarPolicy(area->horizontalScrollBarPolicy());
}

// Each page of `tabs` in a scroll area of its own: the page scrolls under
// the tabs, which stay in sight, and a page comes to the front from its top.
void ScrollPages(QTabWidget* tabs) {
    const int shown = tabs->currentIndex();
    const QSignalBlocker quiet(tabs);
    for (int i = 0; i < tabs->count(); ++i) {
        QWidget* page = tabs->widget(i);
        const QString text = tabs->tabText(i), tip = tabs->tabToolTip(i);
        const bool enabled = tabs->isTabEnabled(i);
        // measured in the font and style it will show in, so that its area knows at once whether it scrolls
        page->ensurePolished();
        if (page->layout() != nullptr) page->layout()->activate();
        else page->setMinimumSize(PlacedPageSize(page));
        tabs->removeTab(i);
        QScrollArea* area = NewArea(nullptr, page);
        area->setWidgetResizable(true);
        tabs->insertTab(i, area, text);
        tabs->setTabToolTip(i, tip);
        tabs->setTabEnabled(i, enabled);
    }
    tabs->setCurrentIndex(shown);
    QObject::connect(tabs, &QTabWidget::currentChanged, tabs, [tabs](int index) {
        if (auto* area = qobject_cast<QScrollArea*>(tabs->widget(index))) {
            MeasureNow(area);
            area->verticalScrollBar()->setValue(0);
        }
    });
}

// A window placed by position whose tab control holds all but the row at its
// foot: the tab control is made lower (and wider by a scroll bar, where the
// room allows), what stands below it moves up, and its pages scroll.
bool ScrollPlacedPages(QWidget* window, const QRect& room) {
    QTabWidget* tabs = TabsAboveAll(window);
    if (tabs == nullptr) return false;
    const QSize designed = window->size();
    const int bar = tabs->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, tabs);
    const int lower = std::max(0, designed.height() - room.height());
    const int wider = std::min(room.width(), designed.width() + bar) - designed.width();
    // the pages keep room for a few lines under the tabs
    if (tabs->height() - lower < tabs->tabBar()->sizeHint().height() + 8 * tabs->fontMetrics().lineSpacing()) return false;
    ScrollPages(tabs);
    tabs->resize(tabs->width() + wider, tabs->height() - lower);
    for (QWidget* w : PlacedChildren(window))
        if (w != tabs) w->move(w->x() + (w->x() > designed.width() / 2 ? wider : 0), w->y() - lower);
    window->setMinimumSize(0, 0);
    const QSize size(designed.width() + wider, designed.height() - lower);
    if (window->maximumSize() == designed)
        window->setFixedSize(size);
    else
        window->resize(size);
    if (auto* area = qobject_cast<QScrollArea*>(tabs->currentWidget())) MeasureNow(area);
    return true;
}

// A window its children are placed in by position: everything above its last
// row of buttons scrolls, the row keeps to the window's foot.
void WrapPlaced(QWidget* window, const QRect& room) {
    const QSize designed = window->size();
    std::vector<QWidget*> children;
    int buttonsBottom = -1;
    for (QObject* o : window->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (w == nullptr || w->isWindow()) continue;
        children.push_back(w);
        if (qobject_cast<QPushButton*>(w) != nullptr && !w->isHidden())
            buttonsBottom = std::max(buttonsBottom, w->geometry().bottom());
    }
    // the last row: the buttons ending near the lowest, and all that stands wholly beside them
    int rowTop = designed.height();
    for (QWidget* w : children)
        if (qobject_cast<QPushButton*>(w) != nullptr && !w->isHidden() && w->geometry().bottom() > buttonsBottom - w->height())
            rowTop = std::min(rowTop, w->y());
    // the scrolled part ends a little above the row, never inside what stands above it
    int above = 0;
    for (QWidget* w : children)
        if (w->y() < rowTop) above = std::max(above, w->geometry().bottom() + 1);
    rowTop = std::clamp(rowTop - 6, std::min(above, rowTop), rowTop);
    if (rowTop < designed.height() / 2) rowTop = designed.height();  // no row at the foot: all of it scrolls

    auto* content = new QWidget;
    content->setObjectName("ScreenFitContents");
    content->setFont(window->font());
    content->setFixedSize(designed.width(), rowTop);
    std::vector<QWidget*> row;
    for (QWidget* w : children) {
        if (w->y() >= rowTop) {
            row.push_back(w);
            continue;
        }
        const bool shown = !w->isHidden();
        const QRect at = w->geometry();
        w->setParent(content);
        w->setGeometry(at);
        if (shown) w->show();
    }
    QScrollArea* area = NewArea(window, content);
    const int rowHeight = designed.height() - rowTop;
    const QSize bars = ScrollBarRoom(area);
    int width = std::min(designed.width(), room.width());
    int height = std::min(designed.height(), room.height());
    // a bar across takes height from the contents, a bar down takes width: give it back where there is room
    if (width < designed.width()) height = std::min(room.height(), height + bars.height());
    if (height < designed.height()) width = std::min(room.width(), std::max(width, designed.width() + bars.width()));
    area->setGeometry(0, 0, width, height - rowHeight);
    // as wide as what it holds and a bar down, it scrolls down only (Qt would
    // otherwise show a bar across as well until it laid the area out twice)
    const bool down = height - rowHeight < rowTop;
    if (width - (down ? bars.width() : 0) >= designed.width()) area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int up = designed.height() - height;
    const int left = designed.width() - width;
    for (QWidget* w : row) w->move(w->x() > designed.width() / 2 ? std::max(0, w->x() - left) : w->x(), w->y() - up);
    window->setMinimumSize(0, 0);
    if (window->maximumSize() == designed)
        window->setFixedSize(width, height);
    else
        window->resize(width, height);
    area->show();
}

// The scroll area of a laid-out window as wide as what it holds and a bar
// down, where the room allows: it then scrolls down only. What it holds is
// measured again when the window shows, in the font it shows in.
void KeepLaidOutAreaWide(QWidget* window, QScrollArea* area, const QRect& room) {
    const QMargins margins = window->layout() != nullptr ? window->layout()->contentsMargins() : QMargins();
    const int wanted = area->widget()->sizeHint().width() + ScrollBarRoom(area).width() + 2 * area->frameWidth();
    const int widest = room.width() - margins.left() - margins.right();
    area->setMinimumWidth(std::min(wanted, widest));
    area->setHorizontalScrollBarPolicy(wanted <= widest ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
}

// A window a box layout places, holding a tab control above its buttons:
// the pages scroll, each as wide as what it holds and a bar down where the
// room allows, and no higher than leaves the window in its room.
bool ScrollLaidOutPages(QWidget* window, QBoxLayout* outer, const QRect& room) {
    auto* tabs = outer->count() == 2 ? qobject_cast<QTabWidget*>(outer->itemAt(0)->widget()) : nullptr;
    if (tabs == nullptr) return false;
    ScrollPages(tabs);
    const QMargins margins = outer->contentsMargins();
    for (int i = 0; i < tabs->count(); ++i) {
        auto* area = static_cast<QScrollArea*>(tabs->widget(i));
        const int wanted = area->widget()->minimumSizeHint().width() + ScrollBarRoom(area).width() + 2 * area->frameWidth();
        const int widest = room.width() - margins.left() - margins.right() - (tabs->width() - area->width());
        area->setMinimumWidth(std::min(wanted, widest));
        area->setHorizontalScrollBarPolicy(wanted <= widest ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    }
    outer->activate();
    // the layout sizes the window by what the tab control would have, at most
    if (const int excess = outer->totalSizeHint().height() - room.height(); excess > 0)
        tabs->setMaximumHeight(std::max(tabs->minimumSizeHint().height(), tabs->sizeHint().height() - excess));
    outer->activate();
    window->setMinimumSize(0, 0);
    window->resize(outer->totalSizeHint().boundedTo(room.size()));
    window->setMaximumSize(room.size());
    return true;
}

// A window a box layout places: all its items but the last, which holds its buttons, scroll.
void WrapLaidOut(QWidget* window, QBoxLayout* outer, const QRect& room) {
    auto* content = new QWidget;
    content->setObjectName("ScreenFitContents");
    auto* inner = new QVBoxLayout(content);
    inner->setContentsMargins(0, 0, 0, 0);
    inner->setSpacing(outer->spacing());
    while (outer->count() > 1) {
        QLayoutItem* item = outer->takeAt(0);
        if (QWidget* w = item->widget()) {
            inner->addWidget(w);
            delete item;
        } else if (QLayout* l = item->layout()) {
            inner->addLayout(l);  // its widgets move with it
        } else {
            inner->addItem(item);
        }
    }
    QScrollArea* area = NewArea(window, content);
    area->setWidgetResizable(true);
    outer->insertWidget(0, area, 1);
    area->show();  // a layout shows a widget added to a shown window only from the event loop
    KeepLaidOutAreaWide(window, area, room);
    window->setMinimumSize(0, 0);
    window->resize(std::min(window->sizeHint().width(), room.width()), room.height());
    window->setMaximumSize(room.size());
    window->resize(window->size().boundedTo(room.size()));
}

// A window fitted before it is shown is fitted again as it is shown, at the
// size its layout gives it then.
class FitAgainOnShow : public QObject {
public:
    explicit FitAgainOnShow(QWidget* window) : QObject(window) { setObjectName("ScreenFitOnShow"); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched == parent()) FitOnScreen(static_cast<QWidget*>(watched));
        return false;
    }
};

}  // namespace

QRect ClientRoom(const QWidget* window) {
    const QScreen* screen = window->screen() != nullptr ? window->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return {};
    QRect room = screen->availableGeometry();
    if (room == screen->geometry()) room.setBottom(room.bottom() - PanelAllowance);
    const QMargins frame = FrameMargins(window);
    return room.marginsRemoved(frame);
}

void KeepOnScreen(QWidget* window, QPoint clientTopLeft) {
    const QRect room = ClientRoom(window);
    if (room.isEmpty()) return;
    const int x = std::clamp(clientTopLeft.x(), room.left(), std::max(room.left(), room.right() + 1 - window->width()));
    const int y = std::clamp(clientTopLeft.y(), room.top(), std::max(room.top(), room.bottom() + 1 - window->height()));
    if (QPoint(x, y) == window->geometry().topLeft()) return;
    // move() places the frame's corner: where the frame is drawn its own size, else the one allowed
    const QPoint corner = window->frameGeometry().topLeft();
    const QPoint inset = window->isVisible() && corner != window->geometry().topLeft()
                             ? window->geometry().topLeft() - corner
                             : QPoint(BorderAllowance, TitleBarAllowance);
    window->move(QPoint(x, y) - inset);
}

bool ScrollsToFit(const QWidget* window) {
    return window->findChild<QScrollArea*>(AreaName) != nullptr;
}

int PageRoomWidth(const QTabWidget* tabs) {
    const QWidget* page = tabs->currentWidget();
    const bool scrolls = page != nullptr && page->objectName() == AreaName;
    return tabs->width() - (scrolls ? tabs->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, tabs) : 0);
}

void FitOnScreen(QWidget* window) {
    const QRect room = ClientRoom(window);
    if (room.isEmpty()) return;
    // a window laid out again after it was placed grows downwards, and a window
    // manager that frames it late then pushes its title bar off the screen:
    // what changed before the call (a text, a page count) is laid out first
    QApplication::sendPostedEvents(window, QEvent::LayoutRequest);
    if (window->layout() != nullptr) window->layout()->activate();
    if (!window->isVisible() && window->findChild<QObject*>("ScreenFitOnShow", Qt::FindDirectChildrenOnly) == nullptr)
        window->installEventFilter(new FitAgainOnShow(window));
    QSize least = window->size().expandedTo(window->minimumSize());
    if (window->layout() != nullptr) least = least.expandedTo(window->layout()->totalMinimumSize());
    const bool fits = least.width() <= room.width() && least.height() <= room.height();
    if (auto* area = window->findChild<QScrollArea*>(AreaName, Qt::FindDirectChildrenOnly); area != nullptr && area->widgetResizable()) {
        KeepLaidOutAreaWide(window, area, room);
        window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        window->resize(std::min(window->sizeHint().width(), room.width()), window->height());
        window->setMaximumSize(room.size());
    }
    if (!fits && !ScrollsToFit(window)) {
        if (auto* box = qobject_cast<QBoxLayout*>(window->layout()); box != nullptr && box->count() > 1) {
            if (!ScrollLaidOutPages(window, box, room)) WrapLaidOut(window, box, room);
        } else if (window->layout() == nullptr && !GiveHeightToScrollingControl(window, room) && !ScrollPlacedPages(window, room))
            WrapPlaced(window, room);
    }
    if (window->testAttribute(Qt::WA_Moved) || window->isVisible())
        KeepOnScreen(window, window->geometry().topLeft());
}

}  // namespace brindlemar
