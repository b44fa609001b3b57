#include "platform/qt/dialog.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFontInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeView>
#include <QValidator>
#include <algorithm>

#include "platform/qt/chart_view.h"
#include "platform/qt/check_menu.h"
#include "platform/qt/fonts.h"
#include "platform/qt/gbk_text.h"
#include "platform/qt/list_control.h"

namespace gradova::platform {
namespace {

Dialog::ModalRunner& ModalRunnerSeam() {
  static Dialog::ModalRunner runner;
  return runner;
}

// The size each resizable dialog, by template id, was last closed at, and whether it was
// maximised then; kept for the run only, as the program keeps no settings.
struct LeftSize {
  QSize normal;
  bool maximised = false;
};
std::map<int, LeftSize>& LeftSizes() {
  static std::map<int, LeftSize> sizes;
  return sizes;
}

// The entry fields are single-line edits: a pasted or dropped text keeps only its first line, as
// a single-line edit control does. A line feed in a field would reach a course row, and saving
// would then split that course across two lines of the file: the file would no longer load, or
// would load as other courses.
class SingleLineValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override {
    qsizetype end = input.indexOf(QLatin1Char('\n'));
    if (end < 0) return Acceptable;
    // Only a line feed ends a line of a course file; a carriage return elsewhere is kept as it
    // is in a loaded name.
    if (end > 0 && input[end - 1] == QLatin1Char('\r')) --end;
    input.truncate(end);
    pos = std::min(pos, static_cast<int>(end));
    return Acceptable;
  }
};

// `place` made to show all that `widget` holds, within `dialog`, as the face drawn in place of
// 宋体 has wider Latin letters and a taller line than the templates were laid out for: a label
// whose text would be cut grows to the right and about its middle; a picture takes its image's
// size, as a picture control does. Other controls keep `place`.
QRect FitContents(QRect place, const QWidget& widget, ControlKind kind, const QRect& dialog) {
  if (kind != ControlKind::Label && kind != ControlKind::Picture && kind != ControlKind::CheckBox)
    return place;
  const QSize needed = widget.sizeHint();
  if (needed.width() > place.width()) place.setWidth(needed.width());
  if (needed.height() > place.height()) {
    const int top = kind == ControlKind::Label
                        ? place.top() - (needed.height() - place.height()) / 2
                        : place.top();
    place = QRect(place.left(), std::max(top, 0), place.width(), needed.height());
  }
  return place.intersected(dialog);
}

}  // namespace

void DataExchange::Text(int id, std::string& member) {
  QWidget* widget = m_dialog.Item(id);
  // The text box shows lines; members keep the CR LF line ends.
  const bool lines = qobject_cast<QPlainTextEdit*>(widget);
  const char* property = lines ? "plainText" : "text";
  if (!widget || widget->metaObject()->indexOfProperty(property) < 0) return;
  QString shown = widget->property(property).toString();
  if (lines) shown.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
  const QString text = FromGbk(member);
  if (m_save) {
    member = ToGbk(shown);
  } else if (shown != text) {
    widget->setProperty(property, lines ? QString(text).remove(QLatin1Char('\r')) : text);
  }
}

void DataExchange::Index(int id, int& member) {
  auto* list = m_dialog.ItemAs<QComboBox>(id);
  if (list && m_save) {
    member = list->currentIndex();
  } else if (list && list->currentIndex() != member) {
    const QSignalBlocker quiet(list);
    list->setCurrentIndex(member);
  }
}

void DataExchange::Check(int id, bool& member) {
  if (auto* box = m_dialog.ItemAs<QCheckBox>(id)) {
    if (m_save) {
      member = box->isChecked();
    } else {
      box->setChecked(member);
    }
  }
}

QWidget* DataExchange::FirstBinding(int id) {
  return m_dialog.m_boundControls.insert(id).second ? m_dialog.Item(id) : nullptr;
}

void Dialog::SetModalRunnerForTesting(ModalRunner runner) { ModalRunnerSeam() = std::move(runner); }

Dialog::Dialog(const DialogTemplate& dialogTemplate, QWidget* parent)
    : QDialog(parent), m_template(dialogTemplate) {
  setWindowTitle(FromGbk(m_template.caption));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 (m_template.resizable ? Qt::WindowMaximizeButtonHint : Qt::WindowFlags()));
  QFont dialogFont(InstalledFamilyFor(FromGbk(m_template.fontFace)));
  dialogFont.setPointSize(m_template.fontPointSize);
  setFont(dialogFont);
  const QSize size = DluToPixels({0, 0, m_template.width, m_template.height}).size();
  if (m_template.resizable) {
    setMinimumSize(size);
    const auto left = LeftSizes().find(m_template.id);
    resize(left == LeftSizes().end() ? size : left->second.normal.expandedTo(size));
    if (left != LeftSizes().end() && left->second.maximised) setWindowState(Qt::WindowMaximized);
  } else {
    setFixedSize(size);
  }
  BuildControls();
  LayOut();
}

QRect Dialog::DluToPixels(const DluRect& rect) const {
  // The templates were laid out for 宋体, whose character cell is one em high and whose Latin
  // letters are half an em wide. The face drawn instead has a taller line and wider letters;
  // measured by them, every window would come out a third larger than its template means.
  const int em = QFontInfo(font()).pixelSize();
  const auto horizontal = [em](int units) { return (units * ((em + 1) / 2) + 2) / 4; };
  const auto vertical = [em](int units) { return (units * em + 4) / 8; };
  return QRect(horizontal(rect.x), vertical(rect.y), horizontal(rect.width), vertical(rect.height));
}

void Dialog::BuildControls() {
  QWidget* previousTabStop = nullptr;
  for (const ControlTemplate& control : m_template.controls) {
    const auto notify = [this, id = control.id](Notification notification) {
      return [this, id, notification] { Notify(id, notification); };
    };
    QWidget* widget = nullptr;
    switch (control.kind) {
      case ControlKind::ListView:
        widget = MakeListView(this, notify(Notification::ListClick));
        break;
      case ControlKind::GroupBox:
        widget = new QGroupBox(FromGbk(control.text), this);
        break;
      case ControlKind::Edit: {
        auto* edit = new QLineEdit(this);
        edit->setValidator(new SingleLineValidator(edit));
        connect(edit, &QLineEdit::textChanged, this, notify(Notification::EditChange));
        widget = edit;
        break;
      }
      case ControlKind::TextBox: {
        auto* box = new QPlainTextEdit(this);
        box->setReadOnly(true);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        widget = box;
        break;
      }
      case ControlKind::Label:
        widget = new QLabel(FromGbk(control.text), this);
        break;
      case ControlKind::Picture: {
        auto* picture = new QLabel(this);
        picture->setPixmap(QPixmap(QString::fromStdString(control.text)));
        widget = picture;
        break;
      }
      case ControlKind::DropList: {
        auto* list = new QComboBox(this);
        connect(list, &QComboBox::currentIndexChanged, this, notify(Notification::SelectionChange));
        widget = list;
        break;
      }
      case ControlKind::CheckMenu:
        widget = MakeCheckMenu(this, control.text, notify(Notification::SelectionChange));
        break;
      case ControlKind::ChartView:
        widget = MakeChartView(this);
        break;
      case ControlKind::CheckBox: {
        auto* box = new QCheckBox(FromGbk(control.text), this);
        connect(box, &QCheckBox::clicked, this, notify(Notification::Clicked));
        widget = box;
        break;
      }
      case ControlKind::PushButton: {
        auto* button = new QPushButton(FromGbk(control.text), this);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, notify(Notification::Clicked));
        widget = button;
        break;
      }
    }
    const QRect place =
        FitContents(DluToPixels(control.rect), *widget, control.kind, QRect({}, minimumSize()));
    widget->setGeometry(place);
    if (m_template.resizable) m_placements.push_back({widget, place, control.layout});
    widget->setFocusPolicy(control.tabStop ? Qt::StrongFocus : Qt::NoFocus);
    if (control.tabStop) {
      if (previousTabStop) setTabOrder(previousTabStop, widget);
      previousTabStop = widget;
    }
    if (control.id >= 0) m_items[control.id] = widget;
  }
}

void Dialog::LayOut() {
  const QSize growth = (size() - minimumSize()).expandedTo({0, 0});
  for (const Placement& placed : m_placements) {
    const DynamicLayout& layout = placed.layout;
    QRect place = placed.rect.translated(growth.width() * layout.moveX / 100,
                                         growth.height() * layout.moveY / 100);
    place.setSize(place.size() +
                  QSize(growth.width() * layout.sizeX / 100, growth.height() * layout.sizeY / 100));
    placed.widget->setGeometry(place);
  }
}

void Dialog::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  LayOut();
}

void Dialog::hideEvent(QHideEvent* event) {
  // A window minimised is hidden by the window system; only a dialog that closes is remembered.
  if (m_template.resizable && !event->spontaneous()) {
    LeftSizes()[m_template.id] = {normalGeometry().size(), isMaximized()};
  }
  QDialog::hideEvent(event);
}

void Dialog::EnableItem(int id, bool enabled) {
  if (QWidget* widget = Item(id)) widget->setEnabled(enabled);
}

void Dialog::SetDropListItems(int id, const std::vector<std::string>& itemsGbk) {
  auto* list = ItemAs<QComboBox>(id);
  if (!list) return;
  const QSignalBlocker quiet(list);
  list->clear();
  for (const std::string& item : itemsGbk) list->addItem(FromGbk(item));
  list->setCurrentIndex(-1);
}

void Dialog::UpdateData(bool save) {
  DataExchange exchange(*this, save);
  DoDataExchange(exchange);
}

bool Dialog::OnInitDialog() {
  UpdateData(false);
  return true;
}

void Dialog::Initialise() {
  m_ended = false;
  m_result = 0;
  if (!OnInitDialog()) return;
  for (const ControlTemplate& control : m_template.controls) {
    QWidget* widget = Item(control.id);
    if (control.tabStop && widget && widget->isEnabled()) {
      widget->setFocus();
      return;
    }
  }
}

int Dialog::DoModal() {
  Initialise();
  // A dialog may end while it initialises; it is then never shown.
  if (m_ended) return m_result;
  if (const ModalRunner& runner = ModalRunnerSeam()) {
    show();
    runner(*this);
    if (!m_ended) hide();
  } else {
    exec();
  }
  return m_ended ? m_result : 0;
}

void Dialog::Create() {
  Initialise();
  show();
}

void Dialog::EndDialog(int result) {
  m_ended = true;
  m_result = result;
  done(result);
}

void Dialog::OnOK() {
  UpdateData(true);
  EndDialog(kIdOk);
}

void Dialog::OnCancel() { EndDialog(0); }

void Dialog::Bind(int id, Notification notification, std::function<void()> handler) {
  m_handlers[{id, notification}] = std::move(handler);
}

void Dialog::Notify(int id, Notification notification) {
  const auto it = m_handlers.find({id, notification});
  if (it != m_handlers.end()) {
    it->second();
  } else if (notification == Notification::Clicked && id == kIdOk) {
    OnOK();
  } else if (notification == Notification::Clicked && id == kIdCancel) {
    OnCancel();
  }
}

void Dialog::AppendSystemMenuSeparator() {
  if (!m_systemMenu) m_systemMenu = new QMenu(this);
  m_systemMenu->addSeparator();
}

void Dialog::AppendSystemMenuItem(int command, std::string_view textGbk) {
  if (!m_systemMenu) m_systemMenu = new QMenu(this);
  connect(m_systemMenu->addAction(FromGbk(textGbk)), &QAction::triggered, this,
          [this, command] { OnSysCommand(command); });
}

void Dialog::contextMenuEvent(QContextMenuEvent* event) {
  if (m_systemMenu) {
    m_systemMenu->exec(event->globalPos());
  } else {
    QDialog::contextMenuEvent(event);
  }
}

void Dialog::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (!enter || (modifiers != Qt::NoModifier && modifiers != Qt::KeypadModifier)) {
    QDialog::keyPressEvent(event);
    return;
  }
  // As in a Windows dialog, Enter presses the push button that has the focus.
  if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
    button->click();
  } else {
    OnOK();
  }
}

void Dialog::reject() { OnCancel(); }

}  // namespace gradova::platform
