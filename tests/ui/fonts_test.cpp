#include "platform/qt/fonts.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHeaderView>
#include <QTreeView>

#include "platform/qt/list_header.h"
#include "support/gbk_literal.h"
#include "support/row_printer.h"
#include "support/temp_dir.h"
#include "ui/main_dlg.h"
#include "ui_seams.h"

namespace gradova::platform {
namespace {

GRADOVA_PRINT_ROWS_BY_LABEL()

const QString kSongTi = QString::fromUtf8("宋体");

bool CjkFaceInstalled() { return InstalledFamilyFor(kSongTi) != kSongTi; }

struct FaceRow {
  const char* label;
  QString face;
  bool mapsToTheChineseFace;
};

class FamilyFor : public ::testing::TestWithParam<FaceRow> {};

TEST_P(FamilyFor, MapsOnlyTheTemplatesChineseFace) {
  if (!CjkFaceInstalled()) GTEST_SKIP() << "no Simplified Chinese face installed";
  const QString family = InstalledFamilyFor(GetParam().face);
  if (GetParam().mapsToTheChineseFace) {
    EXPECT_TRUE(QFontDatabase::hasFamily(family)) << family.toStdString();
    EXPECT_TRUE(QFontDatabase::writingSystems(family).contains(QFontDatabase::SimplifiedChinese))
        << family.toStdString();
  } else {
    EXPECT_EQ(family, GetParam().face);
  }
}

INSTANTIATE_TEST_SUITE_P(Faces, FamilyFor,
                         ::testing::Values(FaceRow{"SongTi", kSongTi, true},
                                           FaceRow{"SongTiLatinName", QStringLiteral("SimSun"),
                                                   true},
                                           FaceRow{"OtherFace", QStringLiteral("Sans"), false},
                                           FaceRow{"Empty", QString(), false}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(ApplicationFont, IsTheTemplatesFaceAndSize) {
  const QFont before = QApplication::font();
  SetApplicationFont(testing::Gbk("宋体"), 9);
  EXPECT_EQ(QApplication::font().family(), InstalledFamilyFor(kSongTi));
  EXPECT_EQ(QApplication::font().pointSize(), 9);
  QApplication::setFont(before);
}

class MainWindowText : public ::testing::Test {
 protected:
  void SetUp() override { m_dialog.Create(); }
  testing::TempDir m_dir;
  testing::UiSeams m_seams;
  testing::ScopedCurrentPath m_inDir{m_dir.Root()};
  ui::CMainDlg m_dialog;
};

TEST_F(MainWindowText, IsDrawnWithAnInstalledChineseFace) {
  if (!CjkFaceInstalled()) GTEST_SKIP() << "no Simplified Chinese face installed";
  EXPECT_EQ(QFontInfo(m_dialog.font()).family(), InstalledFamilyFor(kSongTi));
}

// The list's header is sized by the list's own font, and its text fits.
TEST_F(MainWindowText, ListHeaderFitsItsFont) {
  QHeaderView* header = m_dialog.List().View()->header();
  ASSERT_NE(dynamic_cast<ListHeader*>(header), nullptr);
  EXPECT_EQ(header->font(), m_dialog.font());
  EXPECT_GE(header->sizeHint().height(), header->fontMetrics().height());
  EXPECT_GT(header->sectionSize(0), 0);
}

}  // namespace
}  // namespace gradova::platform
