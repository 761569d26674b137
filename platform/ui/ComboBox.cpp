#include "platform/ui/ComboBox.h"

#include "platform/ui/ControlsInternal.h"

#include <QAbstractItemView>
#include <QAbstractListModel>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QListView>
#include <QPointer>
#include <QProxyStyle>

namespace zav {

using detail::CharOfCode;
using detail::FireKeyHandlers;
using detail::GateFocusIn;
using detail::GateFocusOut;
using detail::KeyHandlers;
using detail::PageKeyStep;

// The items of a list: one text each and nothing else, so that thousands of them go in
// (and away) at once, without an item object and a role table each.
class TextosDeLista : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(textos_.size());
    }

    QVariant data(const QModelIndex& i, int role) const override
    {
        if (!valido(i) || (role != Qt::DisplayRole && role != Qt::EditRole))
            return {};
        if (role == Qt::DisplayRole && mostrado_)
            return mostrado_(textos_.at(i.row()));
        return textos_.at(i.row());
    }

    // The whole item, whatever the list shows of it.
    QString Texto(int fila) const
    {
        return fila >= 0 && fila < textos_.size() ? textos_.at(fila) : QString();
    }

    void PonMostrado(std::function<QString(const QString&)> mostrado)
    {
        mostrado_ = std::move(mostrado);
        if (!textos_.isEmpty())
            emit dataChanged(index(0), index(static_cast<int>(textos_.size()) - 1), {Qt::DisplayRole});
    }

    bool setData(const QModelIndex& i, const QVariant& value, int role) override
    {
        if (!valido(i) || (role != Qt::DisplayRole && role != Qt::EditRole))
            return false;
        textos_[i.row()] = value.toString();
        emit dataChanged(i, i, {Qt::DisplayRole, Qt::EditRole});
        return true;
    }

    Qt::ItemFlags flags(const QModelIndex& i) const override
    {
        return valido(i) ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
    }

    bool insertRows(int row, int count, const QModelIndex& parent = {}) override
    {
        if (parent.isValid() || count < 1 || row < 0 || row > textos_.size())
            return false;
        beginInsertRows({}, row, row + count - 1);
        textos_.insert(row, count, QString());
        endInsertRows();
        return true;
    }

    bool removeRows(int row, int count, const QModelIndex& parent = {}) override
    {
        if (parent.isValid() || count < 1 || row < 0 || row + count > textos_.size())
            return false;
        beginRemoveRows({}, row, row + count - 1);
        textos_.remove(row, count);
        endRemoveRows();
        return true;
    }

    void Agrega(const QStringList& textos)
    {
        if (textos.isEmpty())
            return;
        const int n = static_cast<int>(textos_.size());
        beginInsertRows({}, n, n + static_cast<int>(textos.size()) - 1);
        if (textos_.isEmpty())
            textos_ = textos;
        else
            textos_ += textos;
        endInsertRows();
    }

private:
    bool valido(const QModelIndex& i) const
    {
        return i.isValid() && !i.parent().isValid() && i.column() == 0 && i.row() < textos_.size();
    }

    QStringList textos_;
    std::function<QString(const QString&)> mostrado_;
};

namespace {

// Escape in an open list belongs to the list: it closes it and goes no further. Without
// this a window's Escape shortcut would also run, as the key reaches the shortcuts first.
class EscapeDeLista : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ShortcutOverride &&
            static_cast<QKeyEvent*>(event)->matches(QKeySequence::Cancel)) {
            event->accept();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

// The list drops down below the box and shows a few items at a time, as the original's
// lists do; a menu-like list would measure the text of every item each time it opens.
class EstiloDeLista : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* ret) const override
    {
        if (hint == SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, ret);
    }
};

QStyle* EstiloListas()
{
    static QPointer<EstiloDeLista> estilo;
    if (!estilo) {
        estilo = new EstiloDeLista;
        estilo->setParent(QCoreApplication::instance());
    }
    return estilo;
}

} // namespace

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent)
{
    setStyle(EstiloListas());
    textos_ = new TextosDeLista(this);
    setModel(textos_);
    // Items are one line of text each: the list lays them out without measuring each one.
    if (auto* lista = qobject_cast<QListView*>(view()))
        lista->setUniformItemSizes(true);
    view()->installEventFilter(new EscapeDeLista(this));
    connect(this, &QComboBox::currentIndexChanged, this, [this] {
        if (!muted_ && onClick)
            onClick();
    });
}

void ComboBox::AddItem(const QString& item)
{
    const int before = currentIndex();
    muted_ = true;
    addItem(item);
    // Qt chooses the first item added to an empty list; the original chose none.
    if (before == -1 && currentIndex() != -1)
        setCurrentIndex(-1);
    muted_ = false;
}

void ComboBox::AddItems(const QStringList& items)
{
    const int before = currentIndex();
    muted_ = true;
    textos_->Agrega(items);
    if (before == -1 && currentIndex() != -1)
        setCurrentIndex(-1);
    muted_ = false;
}

void ComboBox::Clear()
{
    muted_ = true;
    clear();
    muted_ = false;
}

void ComboBox::SetListIndex(int i)
{
    if (i < -1 || i >= count())
        return;
    setCurrentIndex(i);
}

QString ComboBox::List(int i) const
{
    return textos_->Texto(i);
}

void ComboBox::SetShownText(std::function<QString(const QString& item)> shown)
{
    textos_->PonMostrado(std::move(shown));
}

void ComboBox::SetDropDownWidth(int pixels)
{
    dropDownWidth_ = pixels;
    view()->setMinimumWidth(pixels);
}

void ComboBox::SetBackColor(int bgr)
{
    backColor_ = bgr;
    zav::SetBackColor(this, bgr);
}

void ComboBox::FireLostFocus()
{
    if (onLostFocus)
        onLostFocus();
}

void ComboBox::keyPressEvent(QKeyEvent* e)
{
    const KeyHandlers k = FireKeyHandlers(this, *e, onKeyDown, onKeyPress);
    if (!k.alive)
        return;
    if (k.typed == 0) {
        if (k.cancelled)
            e->accept();
        else if (PageKeyStep(*e) != 0)
            e->ignore();   // the strip's, which Qt's list would keep
        else
            QComboBox::keyPressEvent(e);
        return;
    }
    const int typed = k.typed;
    const int result = k.result;
    if (result == 0) {
        e->accept();
    } else if (result == typed) {
        QComboBox::keyPressEvent(e);
    } else if (result == 13) {
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QComboBox::keyPressEvent(&enter);
        e->setAccepted(enter.isAccepted());
    } else if (result >= 32 && result <= 255 && result != 127) {
        QKeyEvent other(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, CharOfCode(result));
        QComboBox::keyPressEvent(&other);
        e->accept();
    } else {
        e->accept();
    }
}

void ComboBox::focusInEvent(QFocusEvent* e)
{
    QComboBox::focusInEvent(e);
    if (GateFocusIn(this) && onGotFocus)
        onGotFocus();
}

void ComboBox::focusOutEvent(QFocusEvent* e)
{
    QComboBox::focusOutEvent(e);
    if (GateFocusOut(this, e->reason()))
        FireLostFocus();
}

} // namespace zav
