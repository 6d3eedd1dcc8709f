// Accessible interfaces for the game's widgets. Qt asks a factory for a widget's interface
// when a screen reader first looks at it; the widgets to describe are kept in a table, so
// that the factory needs no class of ours to carry Qt's meta-object. The arrows and the
// squares are no widgets: their interfaces are made by their parent when first asked for
// and registered with Qt's cache, which owns them until the parent lets them go.
#include "ui/Accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QHash>
#include <QPointer>
#include <QWidget>
#include <array>
#include <memory>

#include "play/AccessibleNames.h"
#include "play/ArrowBarPointer.h"

namespace zarvel {
namespace {

QString fromUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QRect onScreen(const QWidget* widget, const QRect& local) {
  return {widget->mapToGlobal(local.topLeft()), local.size()};
}

// An interface that can tell which of its names have changed since it last told; it sends
// events only while a screen reader listens.
class Announcer {
 public:
  virtual ~Announcer() = default;
  virtual void announce() = 0;
};

// A child with no widget of its own: it lives as long as its parent's interface.
class VirtualChild : public QAccessibleInterface {
 public:
  VirtualChild(QAccessibleInterface* parent, QWidget* widget) : parent_(parent), widget_(widget) {}
  bool isValid() const override { return !widget_.isNull(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return parent_->window(); }
  QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override { return nullptr; }
  QAccessibleInterface* parent() const override { return parent_; }
  QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface* /*child*/) const override { return -1; }
  void setText(QAccessible::Text /*t*/, const QString& /*text*/) override {}

 protected:
  QAccessibleInterface* parent_;
  QPointer<QWidget> widget_;
};

// Makes `Child` interfaces on demand, registers them with Qt's cache and lets them go.
template <typename Child, std::size_t N>
class Children {
 public:
  Children() = default;
  Children(const Children&) = delete;
  Children& operator=(const Children&) = delete;
  ~Children() {
    for (const QAccessible::Id id : ids_)
      if (id != 0) QAccessible::deleteAccessibleInterface(id);
  }
  template <typename Make>
  Child* at(std::size_t index, Make make) {
    if (index >= N) return nullptr;
    if (items_[index] == nullptr) {
      items_[index] = make();
      ids_[index] = QAccessible::registerAccessibleInterface(items_[index]);
    }
    return items_[index];
  }
  int indexOf(const QAccessibleInterface* child) const {
    for (std::size_t index = 0; index < N; ++index)
      if (items_[index] == child) return static_cast<int>(index);
    return -1;
  }

 private:
  std::array<Child*, N> items_{};
  std::array<QAccessible::Id, N> ids_{};
};

class ArrowInterface : public VirtualChild, public QAccessibleActionInterface {
 public:
  ArrowInterface(QAccessibleInterface* bar, QWidget* widget, Arrow arrow, ArrowBarPointer& pointer,
                 const Picture& board)
      : VirtualChild(bar, widget), arrow_(arrow), pointer_(pointer), board_(board) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Description) return fromUtf8(lineColours(arrow_, board_));
    return t == QAccessible::Name ? fromUtf8(arrowName(arrow_)) : QString();
  }
  QRect rect() const override {
    if (!widget_) return {};
    const bool along = arrow_.bar == kBarTop || arrow_.bar == kBarBottom;
    const int at = cellOrigin(arrow_.line);
    return onScreen(widget_,
                    along ? QRect(at, 0, kSquare, kSquare) : QRect(0, at, kSquare, kSquare));
  }
  QAccessible::Role role() const override { return QAccessible::PushButton; }
  QAccessible::State state() const override {
    QAccessible::State state;
    state.focusable = true;
    // Only while the window has the keyboard: the menu bar may have taken it.
    state.focused = pointer_.cursor() == arrow_ && widget_ && widget_->window()->hasFocus();
    return state;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                : nullptr;
  }

  // No press while the game would ignore it, so that the screen reader's request fails
  // rather than seems done: under a window that keeps the pointer and the keys from the
  // arrows, or while a button or a key holds an arrow.
  QStringList actionNames() const override {
    return pressable(pointer_) ? QStringList{pressAction()} : QStringList{};
  }
  QStringList keyBindingsForAction(const QString& /*name*/) const override { return {}; }
  // The move waits for the event loop: a winning move opens the victory window, which must
  // not keep the screen reader's request waiting; a window may have opened meanwhile.
  void doAction(const QString& name) override {
    if (name != pressAction() || !widget_ || !pressable(pointer_)) return;
    QMetaObject::invokeMethod(
        widget_,
        [&pointer = pointer_, arrow = arrow_] {
          if (pressable(pointer)) pointer.pressArrow(arrow);
        },
        Qt::QueuedConnection);
  }

 private:
  static bool pressable(const ArrowBarPointer& pointer) {
    return QApplication::activeModalWidget() == nullptr && !pointer.Nazhata() && !pointer.keyHeld();
  }

  Arrow arrow_;
  ArrowBarPointer& pointer_;
  const Picture& board_;
};

class ArrowBarInterface : public QAccessibleWidget {
 public:
  ArrowBarInterface(QWidget* widget, std::int32_t bar, ArrowBarPointer& pointer,
                    const Picture& board)
      : QAccessibleWidget(widget, QAccessible::Grouping),
        bar_(bar),
        pointer_(pointer),
        board_(board) {}

  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Name ? fromUtf8(barName(bar_)) : QAccessibleWidget::text(t);
  }
  int childCount() const override { return kLines; }
  QAccessibleInterface* child(int index) const override {
    auto* self = const_cast<ArrowBarInterface*>(this);
    return self->arrows_.at(static_cast<std::size_t>(index), [self, index] {
      return new ArrowInterface(self, self->widget(), {self->bar_, index}, self->pointer_,
                                self->board_);
    });
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return arrows_.indexOf(child);
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    const QPoint at = widget()->mapFromGlobal(QPoint(x, y));
    if (!widget()->rect().contains(at)) return nullptr;
    const std::int32_t line = ArrowBarPointer::segmentIndex(bar_, at.x(), at.y());
    return line >= 0 && line < kLines ? child(line) : nullptr;
  }
  QAccessibleInterface* focusChild() const override {
    const std::optional<Arrow> cursor = pointer_.cursor();
    return cursor && cursor->bar == bar_ ? child(cursor->line) : nullptr;
  }

 private:
  std::int32_t bar_;
  ArrowBarPointer& pointer_;
  const Picture& board_;
  mutable Children<ArrowInterface, kLines> arrows_;
};

class BoardInterface;

class CellInterface : public VirtualChild, public QAccessibleTableCellInterface {
 public:
  CellInterface(BoardInterface* board, QWidget* widget, const Picture& picture, int row,
                int column);

  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Name ? fromUtf8(colourName(colour())) : QString();
  }
  QRect rect() const override {
    return widget_ ? onScreen(widget_, {cellOrigin(column_), cellOrigin(row_), kSquare, kSquare})
                   : QRect();
  }
  QAccessible::Role role() const override { return QAccessible::Cell; }
  QAccessible::State state() const override { return {}; }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::TableCellInterface
               ? static_cast<QAccessibleTableCellInterface*>(this)
               : nullptr;
  }

  bool isSelected() const override { return false; }
  QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return column_; }
  int rowIndex() const override { return row_; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return parent_; }

  Colour colour() const { return picture_.point(cellOrigin(column_), cellOrigin(row_)); }

 private:
  const Picture& picture_;
  int row_;
  int column_;
};

// The board as a read-only table: the cell at row r and column c is the square (c, r).
class BoardInterface : public QAccessibleWidget,
                       public QAccessibleTableInterface,
                       public Announcer {
 public:
  BoardInterface(QWidget* widget, const Picture& picture)
      : QAccessibleWidget(widget, QAccessible::Table), picture_(picture) {
    for (int index = 0; index < kCells; ++index)
      told_[static_cast<std::size_t>(index)] =
          picture.point(cellOrigin(index % kLines), cellOrigin(index / kLines));
  }

  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Name ? QStringLiteral("Поле") : QAccessibleWidget::text(t);
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::TableInterface ? static_cast<QAccessibleTableInterface*>(this)
                                               : QAccessibleWidget::interface_cast(type);
  }
  int childCount() const override { return kCells; }
  QAccessibleInterface* child(int index) const override { return cell(index); }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return cells_.indexOf(child);
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    const QPoint at = widget()->mapFromGlobal(QPoint(x, y));
    if (!widget()->rect().contains(at)) return nullptr;
    const int column = at.x() / kPitch;
    const int row = at.y() / kPitch;
    return column < kLines && row < kLines ? cellAt(row, column) : nullptr;
  }

  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override {
    if (row < 0 || row >= kLines || column < 0 || column >= kLines) return nullptr;
    return cell(row * kLines + column);
  }
  int selectedCellCount() const override { return 0; }
  QList<QAccessibleInterface*> selectedCells() const override { return {}; }
  QString columnDescription(int column) const override {
    return QStringLiteral("Столбец %1").arg(column + 1);
  }
  QString rowDescription(int row) const override {
    return QStringLiteral("Строка %1").arg(row + 1);
  }
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return 0; }
  int columnCount() const override { return kLines; }
  int rowCount() const override { return kLines; }
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override { return {}; }
  bool isColumnSelected(int /*column*/) const override { return false; }
  bool isRowSelected(int /*row*/) const override { return false; }
  bool selectRow(int /*row*/) override { return false; }
  bool selectColumn(int /*column*/) override { return false; }
  bool unselectRow(int /*row*/) override { return false; }
  bool unselectColumn(int /*column*/) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent* /*event*/) override {}

  // A move renames the squares of its line; a deal or an opened game, any of them.
  void announce() override {
    for (int index = 0; index < kCells; ++index) {
      Colour& told = told_[static_cast<std::size_t>(index)];
      const Colour now = picture_.point(cellOrigin(index % kLines), cellOrigin(index / kLines));
      if (now == told) continue;
      told = now;
      if (!QAccessible::isActive()) continue;
      QAccessibleEvent event(cell(index), QAccessible::NameChanged);
      QAccessible::updateAccessibility(&event);
    }
  }

 private:
  CellInterface* cell(int index) const {
    auto* self = const_cast<BoardInterface*>(this);
    return self->cells_.at(static_cast<std::size_t>(index), [self, index] {
      return new CellInterface(self, self->widget(), self->picture_, index / kLines,
                               index % kLines);
    });
  }

  const Picture& picture_;
  mutable Children<CellInterface, kCells> cells_;
  std::array<Colour, kCells> told_{};
};

CellInterface::CellInterface(BoardInterface* board, QWidget* widget, const Picture& picture,
                             int row, int column)
    : VirtualChild(board, widget), picture_(picture), row_(row), column_(column) {}

// A widget with a fixed role whose name comes from the game.
class NamedInterface : public QAccessibleWidget, public Announcer {
 public:
  NamedInterface(QWidget* widget, QAccessible::Role role, std::function<QString()> name)
      : QAccessibleWidget(widget, role), name_(std::move(name)), told_(name_()) {}
  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Name ? name_() : QAccessibleWidget::text(t);
  }
  void announce() override {
    const QString now = name_();
    if (now == told_) return;
    told_ = now;
    if (!QAccessible::isActive()) return;
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
  }

 private:
  std::function<QString()> name_;
  QString told_;
};

using Maker = std::function<QAccessibleInterface*(QWidget*)>;

QHash<QObject*, Maker>& described() {
  static QHash<QObject*, Maker> table;
  return table;
}

QAccessibleInterface* factory(const QString& /*className*/, QObject* object) {
  const auto found = described().constFind(object);
  if (found == described().constEnd() || !object->isWidgetType()) return nullptr;
  return (*found)(static_cast<QWidget*>(object));
}

void describe(QWidget* widget, Maker maker) {
  static const bool installed = [] {
    QAccessible::installFactory(factory);
    return true;
  }();
  (void)installed;
  described().insert(widget, std::move(maker));
  QObject::connect(widget, &QObject::destroyed, [widget] { described().remove(widget); });
}

}  // namespace

void describeArrowBar(QWidget* widget, std::int32_t bar, ArrowBarPointer& pointer,
                      const Picture& board) {
  describe(widget, [bar, &pointer, &board](QWidget* w) {
    return new ArrowBarInterface(w, bar, pointer, board);
  });
}

void describeBoard(QWidget* widget, const Picture& board) {
  describe(widget, [&board](QWidget* w) { return new BoardInterface(w, board); });
}

void describePicture(QWidget* widget, std::function<QString()> name) {
  describe(widget, [name = std::move(name)](QWidget* w) {
    return new NamedInterface(w, QAccessible::Graphic, name);
  });
}

void describeText(QWidget* widget, const QString& text) {
  describe(widget, [text](QWidget* w) {
    return new NamedInterface(w, QAccessible::StaticText, [text] { return text; });
  });
}

void announceCursor(QWidget* barWidget, std::int32_t line) {
  if (!QAccessible::isActive()) return;
  QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(barWidget);
  if (QAccessibleInterface* arrow = bar != nullptr ? bar->child(line) : nullptr) {
    QAccessibleEvent event(arrow, QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
  }
}

// Qt may make an interface before a screen reader comes, and a screen reader may come at
// any time: what was last told is kept up to date either way.
void announceNames(QWidget* widget) {
  if (auto* announcer = dynamic_cast<Announcer*>(QAccessible::queryAccessibleInterface(widget)))
    announcer->announce();
}

constexpr int kNotices = 4;

void addNotices(QWidget* client) {
  for (int index = 0; index < kNotices; ++index) {
    // A pixel that draws nothing: a notice must show to be read.
    auto* notice = new QWidget(client);
    notice->setObjectName(QStringLiteral("notice%1").arg(index));
    notice->setGeometry(0, 0, 1, 1);
    notice->setAttribute(Qt::WA_TransparentForMouseEvents);
    describe(notice,
             [](QWidget* w) { return new QAccessibleWidget(w, QAccessible::Notification); });
  }
}

void say(QWidget* client, const QString& text) {
  static int next = 0;
  next = (next + 1) % kNotices;
  auto* notice =
      client->findChild<QWidget*>(QStringLiteral("notice%1").arg(next), Qt::FindDirectChildrenOnly);
  if (notice == nullptr) return;
  notice->setAccessibleName(text);
  if (!QAccessible::isActive()) return;
  QAccessibleEvent event(notice, QAccessible::ObjectShow);
  QAccessible::updateAccessibility(&event);
}

}  // namespace zarvel
