#include "AlignPanel.h"

#include <QEvent>
#include <QPointer>
#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace {

const char *const AlignProperty = "tvAlign";
const char *const OrderProperty = "tvAlignOrder";
// The size a child asked for along its aligned edge; a parent too small for it squeezes the child
// for the moment, and the child gets its size back when there is room again.
const char *const ExtentProperty = "tvAlignExtent";

int Extent(const QWidget *w, bool vertical)
{
    const QVariant v = w->property(ExtentProperty);
    return v.isValid() ? v.toInt() : (vertical ? w->height() : w->width());
}

// One per arranged parent: watches the parent and its children.
class TAligner : public QObject {
public:
    TAligner(QWidget *parent, const QMargins &margins) : QObject(parent), FParent(parent), FMargins(margins)
    {
        setObjectName(QStringLiteral("qt_tvAligner")); // no translation key
        parent->installEventFilter(this);
        for (QObject *child : parent->children())
            Watch(child);
    }

    void SetMargins(const QMargins &margins)
    {
        FMargins = margins;
        Arrange();
    }

    void Arrange()
    {
        if (FArranging)
            return;
        FArranging = true;
        std::vector<QWidget *> children;
        for (QObject *o : FParent->children())
            if (auto *w = qobject_cast<QWidget *>(o); w && !w->isWindow() && GetAlign(w) != TAlign::None
                && !w->isHidden())
                children.push_back(w);
        std::stable_sort(children.begin(), children.end(), [](QWidget *a, QWidget *b) {
            return a->property(OrderProperty).toLongLong() < b->property(OrderProperty).toLongLong();
        });
        QRect r = FParent->rect().marginsRemoved(FMargins);
        for (TAlign pass : {TAlign::Top, TAlign::Bottom, TAlign::Left, TAlign::Right, TAlign::Client})
            for (QWidget *w : children) {
                if (GetAlign(w) != pass)
                    continue;
                const int h = std::min(Extent(w, true), std::max(0, r.height()));
                const int wd = std::min(Extent(w, false), std::max(0, r.width()));
                switch (pass) {
                case TAlign::Top:
                    w->setGeometry(r.left(), r.top(), r.width(), h);
                    r.setTop(r.top() + h);
                    break;
                case TAlign::Bottom:
                    w->setGeometry(r.left(), r.bottom() + 1 - h, r.width(), h);
                    r.setBottom(r.bottom() - h);
                    break;
                case TAlign::Left:
                    w->setGeometry(r.left(), r.top(), wd, r.height());
                    r.setLeft(r.left() + wd);
                    break;
                case TAlign::Right:
                    w->setGeometry(r.right() + 1 - wd, r.top(), wd, r.height());
                    r.setRight(r.right() - wd);
                    break;
                default:
                    w->setGeometry(r.left(), r.top(), std::max(0, r.width()), std::max(0, r.height()));
                    break;
                }
            }
        FArranging = false;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == FParent) {
            switch (event->type()) {
            case QEvent::ChildAdded:
                Watch(static_cast<QChildEvent *>(event)->child());
                Arrange();
                break;
            case QEvent::ChildRemoved:
            case QEvent::Resize:
            case QEvent::Show:
                Arrange();
                break;
            default:
                break;
            }
        } else if (auto *w = qobject_cast<QWidget *>(watched); w && w->parentWidget() == FParent) {
            switch (event->type()) {
            case QEvent::ShowToParent:
            case QEvent::HideToParent:
                Arrange();
                break;
            case QEvent::Resize:
                // A visible child resized by someone else keeps that size; pending resizes of
                // children being shown are the arrangement's own.
                if (!FArranging && w->isVisible() && GetAlign(w) != TAlign::None) {
                    const TAlign a = GetAlign(w);
                    if (a == TAlign::Top || a == TAlign::Bottom)
                        w->setProperty(ExtentProperty, w->height());
                    else if (a == TAlign::Left || a == TAlign::Right)
                        w->setProperty(ExtentProperty, w->width());
                    Arrange();
                }
                break;
            default:
                break;
            }
        }
        return false;
    }

private:
    void Watch(QObject *child)
    {
        if (auto *w = qobject_cast<QWidget *>(child))
            w->installEventFilter(this);
    }

    QWidget *FParent;
    QMargins FMargins;
    bool FArranging = false;
};

TAligner *AlignerOf(QWidget *parent)
{
    return parent ? parent->findChild<TAligner *>(QStringLiteral("qt_tvAligner"), Qt::FindDirectChildrenOnly)
                  : nullptr;
}

qint64 NextOrder()
{
    static qint64 order = 0;
    return ++order;
}

} // namespace

void AttachAligner(QWidget *parent, const QMargins &margins)
{
    if (TAligner *a = AlignerOf(parent))
        a->SetMargins(margins);
    else
        (new TAligner(parent, margins))->Arrange();
}

void SetAlign(QWidget *child, TAlign align)
{
    child->setProperty(AlignProperty, int(align));
    if (align == TAlign::Top || align == TAlign::Bottom)
        child->setProperty(ExtentProperty, child->height());
    else if (align == TAlign::Left || align == TAlign::Right)
        child->setProperty(ExtentProperty, child->width());
    if (!child->property(OrderProperty).isValid())
        child->setProperty(OrderProperty, NextOrder());
    ArrangeAligned(child->parentWidget());
}

TAlign GetAlign(const QWidget *child)
{
    const QVariant v = child->property(AlignProperty);
    return v.isValid() ? TAlign(v.toInt()) : TAlign::None;
}

void ArrangeAligned(QWidget *parent)
{
    if (TAligner *a = AlignerOf(parent))
        a->Arrange();
}

void SetAlignExtent(QWidget *child, int extent);

void ReparentAligned(QWidget *child, QWidget *parent, TAlign align, int extent)
{
    const bool hidden = child->isHidden();
    child->setProperty(OrderProperty, NextOrder());
    if (child->parentWidget() != parent)
        child->setParent(parent);
    child->setVisible(!hidden);
    SetAlign(child, align);
    if (extent >= 0)
        SetAlignExtent(child, extent);
}

void SetAlignExtent(QWidget *child, int extent)
{
    const TAlign a = GetAlign(child);
    child->setProperty(ExtentProperty, extent);
    if (a == TAlign::Top || a == TAlign::Bottom)
        child->resize(child->width(), extent);
    else
        child->resize(extent, child->height());
    ArrangeAligned(child->parentWidget());
}
