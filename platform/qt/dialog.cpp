#include "platform/qt/dialog.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QEvent>
#include <QFontInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>

#include "platform/qt/control_fit.h"
#include "platform/qt/cut_text_tips.h"
#include "platform/qt/fonts.h"
#include "platform/qt/gbk_text.h"
#include "platform/qt/list_frame_style.h"
#include "platform/qt/list_header.h"
#include "platform/qt/list_view.h"
#include "platform/qt/single_line_validator.h"

namespace gradova::platform {
namespace {

Dialog::ModalRunner& ModalRunnerSeam() {
  static Dialog::ModalRunner runner;
  return runner;
}

}  // namespace

void Dialog::SetModalRunnerForTesting(ModalRunner runner) { ModalRunnerSeam() = std::move(runner); }

Dialog::Dialog(const DialogTemplate& dialogTemplate, QWidget* parent)
    : QDialog(parent), m_template(dialogTemplate) {
  setWindowTitle(FromGbk(m_template.caption));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  QFont dialogFont(InstalledFamilyFor(FromGbk(m_template.fontFace)));
  dialogFont.setPointSize(m_template.fontPointSize);
  setFont(dialogFont);
  // The templates were laid out for 宋体, whose character cell is one em high and whose Latin
  // letters are half an em wide. The face drawn instead has a taller line and wider letters;
  // measured by them, every window would come out a third larger than its template means.
  const int em = QFontInfo(dialogFont).pixelSize();
  m_averageCharWidth = (em + 1) / 2;
  m_charHeight = em;
  setFixedSize(DluToPixels({0, 0, m_template.width, m_template.height}).size());
  BuildControls();
}

Dialog::~Dialog() = default;

QRect Dialog::DluToPixels(const DluRect& rect) const {
  const auto horizontal = [this](int units) { return (units * m_averageCharWidth + 2) / 4; };
  const auto vertical = [this](int units) { return (units * m_charHeight + 4) / 8; };
  return QRect(horizontal(rect.x), vertical(rect.y), horizontal(rect.width), vertical(rect.height));
}

void Dialog::BuildControls() {
  QWidget* previousTabStop = nullptr;
  for (const ControlTemplate& control : m_template.controls) {
    QWidget* widget = nullptr;
    switch (control.kind) {
      case ControlKind::ListView: {
        const int id = control.id;
        auto* view = new ListView(this, [this, id] { Notify(id, Notification::ListClick); });
        view->setHeader(new ListHeader(view));
        view->setStyle(ListFrameStyle::ForListViews());
        view->setItemDelegate(new CutTextTips(view));
        view->setRootIsDecorated(false);
        view->setUniformRowHeights(true);
        view->setItemsExpandable(false);
        view->setSelectionMode(QAbstractItemView::SingleSelection);
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->header()->setStretchLastSection(false);
        view->header()->setSectionsMovable(false);
        widget = view;
        break;
      }
      case ControlKind::GroupBox:
        widget = new QGroupBox(FromGbk(control.text), this);
        break;
      case ControlKind::Edit: {
        auto* edit = new QLineEdit(this);
        edit->setValidator(new SingleLineValidator(edit));
        const int id = control.id;
        connect(edit, &QLineEdit::textChanged, this,
                [this, id] { Notify(id, Notification::EditChange); });
        widget = edit;
        break;
      }
      case ControlKind::TextBox: {
        auto* box = new QPlainTextEdit(this);
        box->setReadOnly(true);
        box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
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
        const int id = control.id;
        connect(list, &QComboBox::currentIndexChanged, this,
                [this, id] { Notify(id, Notification::SelectionChange); });
        widget = list;
        break;
      }
      case ControlKind::PushButton: {
        auto* button = new QPushButton(FromGbk(control.text), this);
        button->setAutoDefault(false);
        button->setDefault(false);
        const int id = control.id;
        connect(button, &QPushButton::clicked, this,
                [this, id] { Notify(id, Notification::Clicked); });
        widget = button;
        break;
      }
    }
    widget->setGeometry(FitContents(DluToPixels(control.rect), *widget, control.kind, rect()));
    widget->setFocusPolicy(control.tabStop ? Qt::StrongFocus : Qt::NoFocus);
    if (control.tabStop) {
      if (previousTabStop) setTabOrder(previousTabStop, widget);
      previousTabStop = widget;
    }
    if (control.id >= 0) m_items[control.id] = widget;
  }
}

QWidget* Dialog::Item(int id) const {
  const auto it = m_items.find(id);
  return it == m_items.end() ? nullptr : it->second;
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
  if (OnInitDialog()) {
    for (const ControlTemplate& control : m_template.controls) {
      QWidget* widget = control.id >= 0 ? Item(control.id) : nullptr;
      if (control.tabStop && widget && widget->isEnabled()) {
        widget->setFocus();
        break;
      }
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
    return m_ended ? m_result : 0;
  }
  exec();
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
  QAction* action = m_systemMenu->addAction(FromGbk(textGbk));
  connect(action, &QAction::triggered, this, [this, command] { OnSysCommand(command); });
}

void Dialog::contextMenuEvent(QContextMenuEvent* event) {
  if (m_systemMenu) {
    m_systemMenu->exec(event->globalPos());
  } else {
    QDialog::contextMenuEvent(event);
  }
}

void Dialog::keyPressEvent(QKeyEvent* event) {
  if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
    switch (event->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
        // As in a Windows dialog, Enter presses the push button that has the focus.
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
          button->click();
        } else {
          OnOK();
        }
        return;
      case Qt::Key_Escape:
        OnCancel();
        return;
      default:
        break;
    }
  }
  QDialog::keyPressEvent(event);
}

void Dialog::reject() { OnCancel(); }

void Dialog::closeEvent(QCloseEvent* event) {
  // Ending the dialog closes it too; only a close from outside is a cancel.
  if (m_ended) {
    event->accept();
    return;
  }
  OnCancel();
  if (!m_ended) event->ignore();
}

}  // namespace gradova::platform
