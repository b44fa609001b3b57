#include "ui/link_static.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QImage>
#include <QTest>
#include <QToolTip>
#include <QWindow>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "support/gbk_literal.h"
#include "support/row_printer.h"
#include "ui_seams.h"

namespace gradova::ui {
namespace {

GRADOVA_PRINT_ROWS_BY_LABEL()
auto RowName = [](const auto& info) { return std::string(info.param.label); };
using Words = std::vector<std::string>;

const std::string kHint = "欢迎访问Pellow的小站！", kHost = "gradova.example.org";
const QRect kRect(10, 20, 100, 40), kFitted3(10, 20, 94, 34);
const std::map<char, QPoint> kAt{{'i', {50, 20}}, {'b', {1, 20}}, {'a', {50, -10}}};

// A shown window with the label; every open goes to the seams' fake.
class LinkTest : public ::testing::Test {
 public:
  LinkTest() {
    m_host.setGeometry(0, 0, 300, 200);
    m_label->setGeometry(kRect);
    m_host.show();
    // The platform drops a move to where the pointer already is; every test starts elsewhere.
    QTest::mouseMove(m_host.windowHandle(), QPoint(295, 195));
  }
  // A, W attach the label, the window; T, H set the home page as target, the hint; i, b, a move
  // to those points of kAt (on the border, above the label); c, d, r click, double click, right
  // click at i; o presses at i and releases at a.
  void Run(const std::string& script) {
    QWindow* window = m_host.windowHandle();
    const auto at = [&](char point) { return m_label->mapTo(&m_host, kAt.at(point)); };
    for (char step : script) {
      if (std::strchr("AW", step)) m_link.Attach(step == 'A' ? m_label : &m_host);
      if (step == 'T') m_link.SetTarget(kHost);
      if (step == 'H') m_link.SetHintText(testing::Gbk(kHint));
      if (std::strchr("iba", step)) QTest::mouseMove(window, at(step));
      if (step == 'c') QTest::mouseClick(window, Qt::LeftButton, {}, at('i'));
      if (step == 'r') QTest::mouseClick(window, Qt::RightButton, {}, at('i'));
      if (step == 'd') QTest::mouseDClick(window, Qt::LeftButton, {}, at('i'));
      if (step == 'o') QTest::mousePress(window, Qt::LeftButton, {}, at('i'));
      if (step == 'o') QTest::mouseRelease(window, Qt::LeftButton, {}, at('a'));
    }
  }

  testing::UiSeams m_seams;
  QWidget m_host;
  QLabel* m_label = new QLabel(QStringLiteral("gradova.example.org"), &m_host);
  CLinkStatic m_link;
};

constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignTop, kRight = Qt::AlignRight,
                        kCentre = Qt::AlignHCenter, kMiddle = Qt::AlignVCenter;
const QMargins k2(2, 2, 2, 2), k3(3, 3, 3, 3);

struct LinkRow {
  const char* label;
  std::string script, hint, tip;  // UTF-8; tip: the tool tip shown at `point`, or "-"
  bool inside = false;
  int opens = 0;
  QMargins margins = {};
  Qt::Alignment alignment = kLeft;
  QRect fitted = kRect;
  QPoint point = kAt.at('i');
};
class LinkRows : public LinkTest, public ::testing::WithParamInterface<LinkRow> {};

TEST_P(LinkRows, HintToolTipFitHoverAndClicks) {
  const LinkRow& row = GetParam();
  m_label->setContentsMargins(row.margins);
  m_label->setAlignment(row.alignment);
  m_seams.urlOpener.defaultHandlerOpens = true;
  Run(row.script);
  EXPECT_EQ(m_link.HintText(), testing::Gbk(row.hint));
  EXPECT_EQ(m_label->geometry(), row.fitted);
  const bool bound = row.script.find('A') != std::string::npos;
  EXPECT_EQ(m_label->cursor().shape(), bound ? Qt::PointingHandCursor : Qt::ArrowCursor);
  EXPECT_EQ(m_link.PointerInside(), row.inside);
  EXPECT_EQ(m_seams.urlOpener.openedAddresses, Words(row.opens, "http://gradova.example.org"));
  const QImage drawn = m_label->grab().toImage();
  QImage blank = drawn.copy();
  blank.fill(QColor::fromRgba(drawn.pixel(0, 0)));
  EXPECT_NE(drawn, blank) << "the label draws its text";
  QHelpEvent help(QEvent::ToolTip, row.point, m_label->mapToGlobal(row.point));
  QApplication::sendEvent(m_label, &help);
  EXPECT_EQ(QToolTip::isVisible() ? QToolTip::text().toStdString() : "-", row.tip);
  QToolTip::hideText();
}

const LinkRow kRows[] = {
    {"TargetBeforeBindingIsOnlyTheTarget", "TH", kHint, "-", false, 0, k2},
    {"NotALabelIsNotBound", "WT", "", "-"},
    {"BindingMakesAnEarlierTargetTheHint", "TA", kHost, kHost},
    {"BindingKeepsAnEarlierHint", "HTA", kHint, kHint},
    {"TargetAfterHintKeepsTheHint", "AHT", kHint, kHint},
    {"MoveIntoTheClientAreaEnters", "ATi", kHost, kHost, true},
    {"MoveOutLeaves", "ATia", kHost, kHost},
    {"ClickOpensOnce", "ATic", kHost, kHost, true, 1},
    {"DoubleClickOpensOnce", "ATid", kHost, kHost, true, 1},
    {"RightClickDoesNot", "ATir", kHost, kHost, true},
    {"ReleaseOutsideDoesNot", "ATio", kHost, kHost},
    {"BorderIsOutsideTheToolAndTheHover", "AHb", kHint, "-", false, 0, k3, kLeft, kFitted3, {1, 1}},
    {"ToolKeepsItsPlaceAfterAFit", "AHib", kHint, kHint, false, 0, k3, kLeft, kFitted3, {92, 32}},
    {"EveryFitShrinksAgain", "ATH", kHint, kHint, false, 0, k2, kLeft, {10, 20, 92, 32}},
    {"CentredShrinksBothSides", "AT", kHost, kHost, false, 0, k2, kCentre, {12, 20, 96, 36}},
    {"RightKeepsTheRightEdge", "AT", kHost, kHost, false, 0, k2, kRight, {14, 20, 96, 36}},
    {"CentreBeatsRight", "AT", kHost, kHost, false, 0, k2, kRight | kCentre, {12, 20, 96, 36}},
    {"OddCentredTruncates", "AT", kHost, kHost, false, 0, {5, 0, 0, 0}, kCentre, {12, 20, 96, 40}},
    {"OddMiddleTruncates", "AT", kHost, kHost, false, 0, {0, 0, 0, 5}, kMiddle, {10, 22, 100, 36}},
};
INSTANTIATE_TEST_SUITE_P(Steps, LinkRows, ::testing::ValuesIn(kRows), RowName);

const std::string kNoApp = "There is no application associated\nwith the given filename extension.";
const std::string kBad = "The filename association is\nincomplete or invalid.";
constexpr int kOk = platform::kOpenedCode;

struct ClickRow {
  const char* label;
  std::optional<std::string> commandLine;  // the browser's; "open" makes the default handler open
  std::string box;  // the error box's text after "Unable to open hyperlink:\n\n", if any
  int startCode = kOk;
  std::vector<Words> started = {{"run", kHost}};  // the words of the fallback's starts
  std::string address = kHost;
};
class LinkClicks : public LinkTest, public ::testing::WithParamInterface<ClickRow> {};

TEST_P(LinkClicks, OpenTheAddressOrSayWhyNot) {
  const ClickRow& row = GetParam();
  m_seams.urlOpener.defaultHandlerOpens = true;
  Run("ATic");  // a first click opens
  m_link.SetTarget(testing::Gbk(row.address));
  m_seams.urlOpener.defaultHandlerOpens = row.commandLine == "open";
  m_seams.urlOpener.browserCommandLine = row.commandLine;
  m_seams.urlOpener.startCode = row.startCode;
  Run("c");
  EXPECT_EQ(m_seams.urlOpener.starts, row.started);
  EXPECT_EQ(m_link.Opened(), row.box.empty());
  // The box takes the pointer away: no hover is left behind it.
  EXPECT_EQ(m_link.PointerInside(), row.box.empty());
  const Words box{"Unable to open hyperlink:\n\n" + row.box};
  EXPECT_EQ(m_seams.BoxTexts(), row.box.empty() ? Words{} : box);
}

const ClickRow kClicks[] = {
    {"DefaultHandlerOpens", "open", "", kOk, {}},
    {"NoBrowserAtAll", std::nullopt, kNoApp, kOk, {}},
    {"CutAtTheBarePlaceholder", "/bin/firefox %u --x", "", kOk, {{"/bin/firefox", kHost}}},
    {"CutBeforeQuotedPlaceholder", "\"/b r/x\" -n \"%U\" -x", "", kOk, {{"/b r/x", "-n", kHost}}},
    {"QuotedPlaceholderFirst", "run %u -x=\"%F\"", "", kOk, {{"run", "%u", "-x=", kHost}}},
    {"EscapedPercentIsNoPlaceholder", "run -f=%%u %f", "", kOk, {{"run", "-f=%%u", kHost}}},
    {"NoPlaceholderAppends", "run --home", "", kOk, {{"run", "--home", kHost}}},
    {"AddressIsOneArgument", "run %u", "", kOk, {{"run", "a b\";rm -rf x"}}, "a b\";rm -rf x"},
    {"AddressLikeAnOptionIsRefused", "run %u", kNoApp, kOk, {}, "--kiosk"},
    {"OpenQuoteIsInvalid", "run \"-x %u", kBad, kOk, {}},
    {"NoProgramIsInvalid", "%u", kBad, kOk, {}},
    {"ProgramNotFound", "run", "The specified file was not found.", 2},
    {"PathNotFound", "run", "The specified path was not found.", 3},
    {"AccessDenied", "run", "The operating system denied\naccess to the specified file.", 5},
    {"OutOfResources", "run", "The operating system is out\nof memory or resources.", 0},
    {"BadExe", "run", "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).", 11},
    {"HighestErrorCode", "run", "The specified dynamic-link library was not found.", 32},
    {"CodeWithoutText", "run", "Unknown Error (4) occurred.", 4},
};
INSTANTIATE_TEST_SUITE_P(Outcomes, LinkClicks, ::testing::ValuesIn(kClicks), RowName);

}  // namespace
}  // namespace gradova::ui
