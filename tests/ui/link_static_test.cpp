#include "ui/link_static.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QToolTip>
#include <QWindow>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gpa/report.h"
#include "platform/browser_command.h"
#include "platform/qt/dialog.h"
#include "support/gbk_literal.h"
#include "support/row_printer.h"
#include "ui_seams.h"
#include "url_opener_fake.h"

namespace gradova::ui {
namespace {

GRADOVA_PRINT_ROWS_BY_LABEL()

using testing::Gbk;

auto RowName = [](const auto& info) { return std::string(info.param.label); };

const QRect kLabelRect(10, 20, 100, 40);
const std::string kHint = "欢迎访问Pellow的小站！";
const std::string kUrl = gpa::kHomePageUrl;

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  int count = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++count;
    return false;
  }
};

// The tip widget of QToolTip hides on a timer; a test that asks whether a tip shows hides the
// last one itself first.
void HideToolTips() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (QByteArray(widget->metaObject()->className()) == "QTipLabel") widget->hide();
  }
}

std::optional<std::string> ShownToolTip() {
  if (!QToolTip::isVisible()) return std::nullopt;
  return QToolTip::text().toStdString();
}

// A shown top-level widget with one label and a sibling, every open call scripted.
class LinkStaticTest : public ::testing::Test {
 public:
  LinkStaticTest() {
    m_host.setGeometry(0, 0, 300, 200);
    m_label = new QLabel(QString::fromUtf8(gpa::kHomePageHost), &m_host);
    m_label->setGeometry(kLabelRect);
    m_sibling = new QLabel(QStringLiteral("sibling"), &m_host);
    m_sibling->setGeometry(150, 20, 100, 40);
    m_host.show();
    // The platform drops a move to where the pointer already is; every test starts elsewhere.
    QTest::mouseMove(m_host.windowHandle(), QPoint(295, 195));
    m_paints = std::make_unique<PaintCounter>(m_label);
  }
  ~LinkStaticTest() override { HideToolTips(); }

  void Frame(int width) {
    m_label->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_label->setLineWidth(width);
  }
  QPoint InHost(QPoint labelPoint) const { return m_label->mapTo(&m_host, labelPoint); }
  // The pointer, through the window as the platform delivers it, in the label's coordinates.
  void MoveTo(QPoint labelPoint) { QTest::mouseMove(m_host.windowHandle(), InHost(labelPoint)); }
  void ClickAt(QPoint labelPoint, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(m_host.windowHandle(), button, {}, InHost(labelPoint));
  }
  void Click() { ClickAt(QPoint(50, 20)); }
  bool Grabbed() const { return QWidget::mouseGrabber() == m_label; }
  // Paints that were pending run now; the count starts again from zero.
  void SettlePaints() {
    QApplication::processEvents();
    m_paints->count = 0;
  }
  int PaintsAfterEvents() {
    QApplication::processEvents();
    return m_paints->count;
  }
  void Bind(const std::string& target = kUrl, const std::string& hintUtf8 = kHint) {
    m_link.Attach(m_label);
    m_link.SetTarget(target);
    m_link.SetHintText(Gbk(hintUtf8));
  }

  testing::UiSeams m_seams;
  testing::FakeUrlOpener m_opener;
  QWidget m_host;
  QLabel* m_label;
  QLabel* m_sibling;
  std::unique_ptr<PaintCounter> m_paints;
  CLinkStatic m_link;
};

TEST_F(LinkStaticTest, BindingPreparesTheLabel) {
  m_label->setAttribute(Qt::WA_TransparentForMouseEvents, true);
  m_link.Attach(m_label);
  EXPECT_EQ(m_link.Label(), m_label);
  EXPECT_FALSE(m_label->testAttribute(Qt::WA_TransparentForMouseEvents));
  EXPECT_TRUE(m_label->hasMouseTracking());
  EXPECT_TRUE(m_label->testAttribute(Qt::WA_SetCursor));
  EXPECT_EQ(m_label->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(m_link.ToolRect(), m_label->contentsRect());
  EXPECT_EQ(m_label->geometry(), kLabelRect);
  EXPECT_EQ(m_link.Target(), "");
  EXPECT_EQ(m_link.HintText(), "");
  EXPECT_FALSE(m_link.Opened());
  EXPECT_FALSE(m_link.PointerInside());
  EXPECT_FALSE(Grabbed());
}

// What is handed to Attach instead of the label.
enum class Refused { Null, NotALabel, SecondLabel };

struct RefusalRow {
  const char* label;
  Refused what;
};

class LinkRefusals : public LinkStaticTest, public ::testing::WithParamInterface<RefusalRow> {};

TEST_P(LinkRefusals, LeaveTheBindingAsItWas) {
  QPushButton button(&m_host);
  QLabel other(&m_host);
  switch (GetParam().what) {
    case Refused::Null:
      m_link.Attach(nullptr);
      break;
    case Refused::NotALabel:
      m_link.Attach(&button);
      EXPECT_FALSE(button.hasMouseTracking());
      break;
    case Refused::SecondLabel:
      m_link.Attach(m_label);
      m_link.Attach(&other);
      EXPECT_FALSE(other.hasMouseTracking());
      EXPECT_FALSE(other.testAttribute(Qt::WA_SetCursor));
      break;
  }
  EXPECT_EQ(m_link.Label(), GetParam().what == Refused::SecondLabel ? m_label : nullptr);
  // Unbound, a target changes nothing but itself.
  m_link.SetTarget(kUrl);
  EXPECT_EQ(m_link.Target(), kUrl);
  EXPECT_EQ(m_link.HintText(), GetParam().what == Refused::SecondLabel ? kUrl : "");
}

INSTANTIATE_TEST_SUITE_P(Widgets, LinkRefusals,
                         ::testing::Values(RefusalRow{"Null", Refused::Null},
                                           RefusalRow{"NotALabel", Refused::NotALabel},
                                           RefusalRow{"SecondLabelIgnored", Refused::SecondLabel}),
                         RowName);

enum class Call { Target, Hint, Attach };

struct Step {
  Call call;
  std::string text;  // UTF-8, given to the control as GBK
};

struct OrderRow {
  const char* label;
  std::vector<Step> steps;
  std::string target;
  std::string hint;
};

class LinkTextOrder : public LinkStaticTest, public ::testing::WithParamInterface<OrderRow> {};

TEST_P(LinkTextOrder, DecidesTheHintText) {
  for (const Step& step : GetParam().steps) {
    switch (step.call) {
      case Call::Target:
        m_link.SetTarget(Gbk(step.text));
        break;
      case Call::Hint:
        m_link.SetHintText(Gbk(step.text));
        break;
      case Call::Attach:
        m_link.Attach(m_label);
        break;
    }
  }
  EXPECT_EQ(m_link.Target(), Gbk(GetParam().target));
  EXPECT_EQ(m_link.HintText(), Gbk(GetParam().hint));
  EXPECT_EQ(m_label->geometry(), kLabelRect);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, LinkTextOrder,
    ::testing::Values(
        OrderRow{"TargetBeforeBindingIsOnlyTheTarget", {{Call::Target, kUrl}}, kUrl, ""},
        OrderRow{"BindingMakesAnEarlierTargetTheHint",
                 {{Call::Target, kUrl}, {Call::Attach, ""}},
                 kUrl,
                 kUrl},
        OrderRow{"BindingKeepsAnEarlierHint",
                 {{Call::Hint, kHint}, {Call::Target, kUrl}, {Call::Attach, ""}},
                 kUrl,
                 kHint},
        OrderRow{"TargetFillsAnEmptyHint", {{Call::Attach, ""}, {Call::Target, kUrl}}, kUrl, kUrl},
        OrderRow{"LaterHintReplacesIt",
                 {{Call::Attach, ""}, {Call::Target, kUrl}, {Call::Hint, kHint}},
                 kUrl,
                 kHint},
        OrderRow{"TargetAfterHintKeepsTheHint",
                 {{Call::Attach, ""}, {Call::Hint, kHint}, {Call::Target, kUrl}},
                 kUrl,
                 kHint},
        OrderRow{"SecondTargetLeavesTheFirstAsHint",
                 {{Call::Attach, ""}, {Call::Target, kUrl}, {Call::Target, "other.example.org"}},
                 "other.example.org",
                 kUrl},
        OrderRow{"EmptyHintLetsTheNextTargetIn",
                 {{Call::Attach, ""}, {Call::Hint, ""}, {Call::Target, kUrl}},
                 kUrl,
                 kUrl}),
    RowName);

struct TipRow {
  const char* label;
  std::vector<Step> steps;
  int frame;
  QPoint point;  // in the label
  std::optional<std::string> tip;
};

class LinkToolTips : public LinkStaticTest, public ::testing::WithParamInterface<TipRow> {};

TEST_P(LinkToolTips, ShowTheHintOverTheClientArea) {
  if (GetParam().frame) Frame(GetParam().frame);
  m_link.Attach(m_label);
  for (const Step& step : GetParam().steps) {
    if (step.call == Call::Target) m_link.SetTarget(Gbk(step.text));
    if (step.call == Call::Hint) m_link.SetHintText(Gbk(step.text));
  }
  HideToolTips();
  ASSERT_FALSE(QToolTip::isVisible());
  QHelpEvent help(QEvent::ToolTip, GetParam().point, m_label->mapToGlobal(GetParam().point));
  QApplication::sendEvent(m_label, &help);
  EXPECT_EQ(ShownToolTip(), GetParam().tip);
}

INSTANTIATE_TEST_SUITE_P(
    Tips, LinkToolTips,
    ::testing::Values(
        TipRow{"HintOverTheLabel",
               {{Call::Target, kUrl}, {Call::Hint, kHint}},
               0,
               QPoint(50, 20),
               kHint},
        TipRow{"TargetStandsInForNoHint", {{Call::Target, kUrl}}, 0, QPoint(1, 1), kUrl},
        TipRow{"NoTextNoTip", {}, 0, QPoint(50, 20), std::nullopt},
        // The tool covers the client area as it was at binding; a fit shrinks the label and its
        // client area, not the tool, which still takes this point on the fitted label's border.
        TipRow{"BorderIsOutsideTheTool", {{Call::Hint, kHint}}, 3, QPoint(1, 1), std::nullopt},
        TipRow{"ToolKeepsItsBindingRectangle", {{Call::Hint, kHint}}, 3, QPoint(92, 32), kHint}),
    RowName);

struct FitRow {
  const char* label;
  int frame;
  QMargins margins;
  Qt::Alignment alignment;
  bool viaHint;  // fitted by SetHintText rather than SetTarget
  QRect fitted;
};

class LinkFits : public LinkStaticTest, public ::testing::WithParamInterface<FitRow> {};

TEST_P(LinkFits, SizeTheLabelToItsClientArea) {
  if (GetParam().frame) Frame(GetParam().frame);
  // Margins of zero would undo the frame's.
  if (!GetParam().margins.isNull()) m_label->setContentsMargins(GetParam().margins);
  m_label->setAlignment(GetParam().alignment);
  m_link.Attach(m_label);
  ASSERT_EQ(m_label->geometry(), kLabelRect);
  if (GetParam().viaHint) {
    m_link.SetHintText(Gbk(kHint));
  } else {
    m_link.SetTarget(kUrl);
  }
  EXPECT_EQ(m_label->geometry(), GetParam().fitted);
}

constexpr Qt::Alignment kTopLeft = Qt::AlignLeft | Qt::AlignTop;

INSTANTIATE_TEST_SUITE_P(
    Styles, LinkFits,
    ::testing::Values(
        // Both labels of the program have no border: they keep their place and size exactly.
        FitRow{"BorderlessText", 0, {}, Qt::AlignLeft | Qt::AlignVCenter, false, kLabelRect},
        FitRow{"BorderlessCentredPicture", 0, {}, Qt::AlignCenter, true, kLabelRect},
        FitRow{"BorderlessRight", 0, {}, Qt::AlignRight | Qt::AlignTop, false, kLabelRect},
        FitRow{"BorderedKeepsTopLeft", 2, {}, kTopLeft, false, QRect(10, 20, 96, 36)},
        FitRow{"BorderedByHintToo", 2, {}, kTopLeft, true, QRect(10, 20, 96, 36)},
        FitRow{"CentredShrinksBothSides",
               2,
               {},
               Qt::AlignHCenter | Qt::AlignTop,
               false,
               QRect(12, 20, 96, 36)},
        FitRow{"RightKeepsTheRightEdge",
               2,
               {},
               Qt::AlignRight | Qt::AlignTop,
               false,
               QRect(14, 20, 96, 36)},
        FitRow{"CentreBitWinsOverRight",
               2,
               {},
               Qt::AlignHCenter | Qt::AlignRight | Qt::AlignTop,
               false,
               QRect(12, 20, 96, 36)},
        FitRow{"VerticalCentreShrinksTopAndBottom",
               2,
               {},
               Qt::AlignLeft | Qt::AlignVCenter,
               false,
               QRect(10, 22, 96, 36)},
        // An odd difference halves toward zero: a centred fit then stays one pixel wider.
        FitRow{"OddDifferenceCentredTruncates", 0, QMargins(3, 0, 0, 0),
               Qt::AlignHCenter | Qt::AlignTop, false, QRect(11, 20, 98, 40)},
        FitRow{"OddDifferenceVerticalTruncates", 0, QMargins(0, 0, 0, 3),
               Qt::AlignLeft | Qt::AlignVCenter, false, QRect(10, 21, 100, 38)},
        FitRow{"OddDifferenceLeftIsExact", 0, QMargins(3, 0, 0, 3), kTopLeft, false,
               QRect(10, 20, 97, 37)}),
    RowName);

TEST_F(LinkStaticTest, EveryFitShrinksABorderedLabelAgain) {
  Frame(2);
  m_label->setAlignment(kTopLeft);
  Bind();
  EXPECT_EQ(m_label->geometry(), QRect(10, 20, 92, 32));
  EXPECT_EQ(m_link.ToolRect(), QRect(2, 2, 96, 36));
}

struct HoverRow {
  const char* label;
  int frame;
  std::vector<QPoint> moves;  // in the label
  bool inside;
  int paints;
};

class LinkHover : public LinkStaticTest, public ::testing::WithParamInterface<HoverRow> {};

TEST_P(LinkHover, CapturesTheMouseWhileOverTheLabel) {
  if (GetParam().frame) Frame(GetParam().frame);
  Bind();
  SettlePaints();
  for (const QPoint& point : GetParam().moves) MoveTo(point);
  EXPECT_EQ(m_link.PointerInside(), GetParam().inside);
  EXPECT_EQ(Grabbed(), GetParam().inside);
  EXPECT_EQ(m_paints->count, GetParam().paints);
}

const QPoint kIn(50, 20);
const QPoint kIn2(60, 15);
const QPoint kAbove(50, -10);      // in the host, above the label
const QPoint kOnSibling(170, 10);  // over the sibling label
const QPoint kOnFrame(1, 20);      // on a three-pixel border, after the fit

INSTANTIATE_TEST_SUITE_P(
    Moves, LinkHover,
    ::testing::Values(HoverRow{"NoMoveNoCapture", 0, {}, false, 0},
                      HoverRow{"FirstMoveCapturesAndRedraws", 0, {kIn}, true, 1},
                      HoverRow{"MoveInsideChangesNothing", 0, {kIn, kIn2}, true, 1},
                      HoverRow{"MoveOutReleasesAndRedraws", 0, {kIn, kAbove}, false, 2},
                      // Only the capture brings this move to the label.
                      HoverRow{"MoveOntoAnotherWidgetReleases", 0, {kIn, kOnSibling}, false, 2},
                      HoverRow{"ComingBackCapturesAgain", 0, {kIn, kAbove, kIn2}, true, 3},
                      HoverRow{"MovesOutsideAloneDoNothing", 0, {kAbove, kOnSibling}, false, 0},
                      HoverRow{"BorderIsNotInside", 3, {kOnFrame}, false, 0},
                      HoverRow{"FromClientOntoBorderReleases", 3, {kIn, kOnFrame}, false, 2}),
    RowName);

struct ClickRow {
  const char* label;
  std::string address;  // UTF-8
  bool defaultHandlerOpens;
  std::optional<std::string> htmlHandlerCommand;
  bool startSucceeds;
  int queries;
  std::vector<testing::FakeUrlOpener::Start> starts;
  std::optional<std::string> box;  // the error box's text
};

class LinkClicks : public LinkStaticTest, public ::testing::WithParamInterface<ClickRow> {};

TEST_P(LinkClicks, OpenTheAddressOrSayWhyNot) {
  Bind(Gbk(GetParam().address));
  m_opener.defaultHandlerOpens = GetParam().defaultHandlerOpens;
  m_opener.htmlHandlerCommand = GetParam().htmlHandlerCommand;
  m_opener.startSucceeds = GetParam().startSucceeds;
  // The pointer is already there, so the click brings no move and its repaint.
  MoveTo(kIn);
  SettlePaints();
  ClickAt(kIn);
  EXPECT_EQ(m_opener.openedAddresses, std::vector<std::string>{GetParam().address});
  EXPECT_EQ(m_opener.commandQueries, GetParam().queries);
  ASSERT_EQ(m_opener.starts.size(), GetParam().starts.size());
  for (std::size_t i = 0; i < m_opener.starts.size(); ++i) {
    EXPECT_EQ(m_opener.starts[i].program, GetParam().starts[i].program);
    EXPECT_EQ(m_opener.starts[i].arguments, GetParam().starts[i].arguments);
  }
  const bool opened = !GetParam().box;
  EXPECT_EQ(m_link.Opened(), opened);
  if (opened) {
    EXPECT_TRUE(m_seams.boxes.empty());
    EXPECT_GE(PaintsAfterEvents(), 1);
  } else {
    ASSERT_EQ(m_seams.boxes.size(), 1u);
    EXPECT_EQ(m_seams.boxes[0].kind, platform::MessageBoxKind::Notice);
    EXPECT_EQ(m_seams.BoxTexts()[0], *GetParam().box);
    EXPECT_EQ(PaintsAfterEvents(), 0);
  }
}

using Start = testing::FakeUrlOpener::Start;
using Args = std::vector<std::string>;
const std::string kUnable = "Unable to open hyperlink:\n\n";

INSTANTIATE_TEST_SUITE_P(
    Outcomes, LinkClicks,
    ::testing::Values(
        ClickRow{"DefaultHandlerOpens", kUrl, true, "firefox %u", true, 0, {}, std::nullopt},
        ClickRow{"BareHostGoesAsGiven",
                 gpa::kHomePageHost,
                 true,
                 std::nullopt,
                 false,
                 0,
                 {},
                 std::nullopt},
        ClickRow{"FallbackRunsTheHtmlCommand",
                 kUrl,
                 false,
                 "/usr/bin/firefox %u",
                 true,
                 1,
                 {Start{"/usr/bin/firefox", Args{kUrl}}},
                 std::nullopt},
        ClickRow{"FallbackCutsBeforeAQuotedPlaceholder",
                 kUrl,
                 false,
                 "\"/opt/My Browser/run\" --new-window \"%U\" --tail",
                 true,
                 1,
                 {Start{"/opt/My Browser/run", Args{"--new-window", kUrl}}},
                 std::nullopt},
        ClickRow{"FallbackWithoutPlaceholderAppends",
                 kUrl,
                 false,
                 "browser --home",
                 true,
                 1,
                 {Start{"browser", Args{"--home", kUrl}}},
                 std::nullopt},
        // No shell sees the address: blanks, quotes and semicolons stay inside one argument.
        ClickRow{"AddressIsOneArgument",
                 "https://gradova.example.org/a b\";rm -rf x",
                 false,
                 "browser %u",
                 true,
                 1,
                 {Start{"browser", Args{"https://gradova.example.org/a b\";rm -rf x"}}},
                 std::nullopt},
        ClickRow{
            "NoHtmlHandler",
            kUrl,
            false,
            std::nullopt,
            true,
            1,
            {},
            kUnable + "There is no application associated\nwith the given filename extension."},
        ClickRow{"HtmlCommandCannotBeSplit",
                 kUrl,
                 false,
                 "browser \"--x %u",
                 true,
                 1,
                 {},
                 kUnable + "The filename association is\nincomplete or invalid."},
        ClickRow{"HtmlCommandHasNoProgram",
                 kUrl,
                 false,
                 "%u",
                 true,
                 1,
                 {},
                 kUnable + "The filename association is\nincomplete or invalid."},
        ClickRow{"BrowserDoesNotStart",
                 kUrl,
                 false,
                 "browser %u",
                 false,
                 1,
                 {Start{"browser", Args{kUrl}}},
                 kUnable + "The specified file was not found."},
        ClickRow{
            "AddressThatReadsAsAnOptionIsNotStarted",
            "--kiosk",
            false,
            "browser %u",
            true,
            1,
            {},
            kUnable + "There is no application associated\nwith the given filename extension."}),
    RowName);

TEST_F(LinkStaticTest, OpenedFollowsTheLastClickAndTheControlStaysUsable) {
  Bind();
  m_opener.defaultHandlerOpens = true;
  Click();
  EXPECT_TRUE(m_link.Opened());
  m_opener.defaultHandlerOpens = false;
  Click();
  EXPECT_FALSE(m_link.Opened());
  m_opener.defaultHandlerOpens = true;
  Click();
  EXPECT_TRUE(m_link.Opened());
  EXPECT_EQ(m_opener.openedAddresses.size(), 3u);
  EXPECT_EQ(m_seams.boxes.size(), 1u);
}

struct CaptureRow {
  const char* label;
  bool opens;
  bool keepsCapture;
};

class LinkClickCapture : public LinkStaticTest, public ::testing::WithParamInterface<CaptureRow> {};

// A failed open shows a modal box, which must get the mouse.
TEST_P(LinkClickCapture, IsGivenUpBeforeTheBox) {
  Bind();
  m_opener.defaultHandlerOpens = GetParam().opens;
  MoveTo(kIn);
  ASSERT_TRUE(Grabbed());
  bool grabbedDuringBox = false;
  platform::SetMessageBoxResponderForTesting([&](const platform::MessageBoxRequest&) {
    grabbedDuringBox = QWidget::mouseGrabber() != nullptr;
    return platform::kIdOk;
  });
  ClickAt(kIn);
  EXPECT_FALSE(grabbedDuringBox);
  EXPECT_EQ(Grabbed(), GetParam().keepsCapture);
  EXPECT_EQ(m_link.PointerInside(), GetParam().keepsCapture);
  // After the box the next move over the label takes the mouse again.
  MoveTo(kIn2);
  EXPECT_TRUE(Grabbed());
}

INSTANTIATE_TEST_SUITE_P(Outcomes, LinkClickCapture,
                         ::testing::Values(CaptureRow{"OpenKeepsTheCapture", true, true},
                                           CaptureRow{"FailureReleasesIt", false, false}),
                         RowName);

struct NotClickRow {
  const char* label;
  std::function<void(LinkStaticTest&)> act;
  int opens;
};

class LinkNotClicks : public LinkStaticTest, public ::testing::WithParamInterface<NotClickRow> {};

void SendMouse(QWidget* widget, QEvent::Type type, Qt::MouseButton button, QPoint point) {
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
  QMouseEvent event(type, point, widget->mapToGlobal(point), button, held, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

TEST_P(LinkNotClicks, OpenOnlyForAClickOnTheLabel) {
  Bind();
  m_opener.defaultHandlerOpens = true;
  GetParam().act(*this);
  EXPECT_EQ(static_cast<int>(m_opener.openedAddresses.size()), GetParam().opens);
}

INSTANTIATE_TEST_SUITE_P(
    Presses, LinkNotClicks,
    ::testing::Values(NotClickRow{"LeftClickOpens", [](LinkStaticTest& t) { t.Click(); }, 1},
                      NotClickRow{"RightClickDoesNot",
                                  [](LinkStaticTest& t) { t.ClickAt(kIn, Qt::RightButton); }, 0},
                      NotClickRow{"ReleaseOutsideDoesNot",
                                  [](LinkStaticTest& t) {
                                    QTest::mousePress(t.m_host.windowHandle(), Qt::LeftButton, {},
                                                      t.InHost(kIn));
                                    QTest::mouseRelease(t.m_host.windowHandle(), Qt::LeftButton, {},
                                                        t.InHost(kAbove));
                                  },
                                  0},
                      NotClickRow{"ReleaseWithoutPressDoesNot",
                                  [](LinkStaticTest& t) {
                                    SendMouse(t.m_label, QEvent::MouseButtonRelease, Qt::LeftButton,
                                              kIn);
                                  },
                                  0},
                      // The label gets press, release, double click, release.
                      NotClickRow{"DoubleClickOpensOnce",
                                  [](LinkStaticTest& t) {
                                    QTest::mouseDClick(t.m_host.windowHandle(), Qt::LeftButton, {},
                                                       t.InHost(kIn));
                                  },
                                  1}),
    RowName);

TEST_F(LinkStaticTest, DestroyingTheControlGivesBackTheMouse) {
  auto link = std::make_unique<CLinkStatic>();
  link->Attach(m_label);
  MoveTo(kIn);
  ASSERT_TRUE(Grabbed());
  link.reset();
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
  // The label no longer reports to the destroyed control.
  Click();
  EXPECT_TRUE(m_opener.openedAddresses.empty());
}

TEST_F(LinkStaticTest, ALabelDestroyedFirstLeavesAnUnboundControl) {
  Bind();
  delete m_label;
  m_label = nullptr;
  EXPECT_EQ(m_link.Label(), nullptr);
  m_link.SetTarget("other.example.org");
  m_link.SetHintText("x");
  m_link.SetOpened(true);
  EXPECT_EQ(m_link.Target(), "other.example.org");
  EXPECT_TRUE(m_link.Opened());
}

// A dialog as the program's owners hold the control: bound by the data exchange, then given the
// home page and the hint in its initialisation.
class LinkOwnerDlg : public platform::Dialog {
 public:
  static constexpr int kPictureId = 1031;
  static constexpr int kTextId = 1032;

  LinkOwnerDlg() : Dialog(MakeTemplate(), nullptr) {}
  CLinkStatic& Picture() { return m_picture; }
  CLinkStatic& Text() { return m_text; }

 protected:
  void DoDataExchange(platform::DataExchange& dx) override {
    dx.Control(kPictureId, m_picture);
    dx.Control(kTextId, m_text);
  }
  bool OnInitDialog() override {
    const bool focus = Dialog::OnInitDialog();
    m_picture.SetTarget(kUrl);
    m_picture.SetHintText(Gbk(kHint));
    m_text.SetTarget(kUrl);
    m_text.SetHintText(Gbk(kHint));
    return focus;
  }

 private:
  static platform::DialogTemplate MakeTemplate() {
    platform::DialogTemplate dialogTemplate;
    dialogTemplate.caption = "Link";
    dialogTemplate.fontFace = "Sans";
    dialogTemplate.width = 200;
    dialogTemplate.height = 120;
    dialogTemplate.controls = {
        platform::ControlTemplate{kPictureId, platform::ControlKind::Picture, "", {10, 10, 53, 60}},
        platform::ControlTemplate{
            kTextId, platform::ControlKind::Label, gpa::kHomePageHost, {80, 10, 100, 10}},
    };
    return dialogTemplate;
  }

  CLinkStatic m_picture;
  CLinkStatic m_text;
};

TEST(LinkOwner, BindsThroughTheDataExchangeAndKeepsTheTemplateGeometry) {
  testing::UiSeams seams;
  testing::FakeUrlOpener opener;
  opener.defaultHandlerOpens = true;
  LinkOwnerDlg dialog;
  const QRect pictureRect = dialog.Item(LinkOwnerDlg::kPictureId)->geometry();
  const QRect textRect = dialog.Item(LinkOwnerDlg::kTextId)->geometry();
  dialog.Create();
  for (int id : {LinkOwnerDlg::kPictureId, LinkOwnerDlg::kTextId}) {
    CLinkStatic& link = id == LinkOwnerDlg::kPictureId ? dialog.Picture() : dialog.Text();
    EXPECT_EQ(link.Label(), dialog.Item(id)) << id;
    EXPECT_EQ(link.Target(), kUrl) << id;
    EXPECT_EQ(link.HintText(), Gbk(kHint)) << id;
  }
  EXPECT_EQ(dialog.Item(LinkOwnerDlg::kPictureId)->geometry(), pictureRect);
  EXPECT_EQ(dialog.Item(LinkOwnerDlg::kTextId)->geometry(), textRect);
  // A second exchange binds nothing again.
  dialog.UpdateData(false);
  EXPECT_EQ(dialog.Picture().Label(), dialog.Item(LinkOwnerDlg::kPictureId));

  QWidget* text = dialog.Item(LinkOwnerDlg::kTextId);
  QTest::mouseClick(dialog.windowHandle(), Qt::LeftButton, {},
                    text->mapTo(&dialog, text->rect().center()));
  EXPECT_EQ(opener.openedAddresses, std::vector<std::string>{kUrl});
  EXPECT_TRUE(dialog.Text().Opened());
  EXPECT_FALSE(dialog.Picture().Opened());
  EXPECT_TRUE(seams.boxes.empty());
}

}  // namespace
}  // namespace gradova::ui
