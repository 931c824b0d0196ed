// The dialogs and panels driven as a user drives them: controls clicked and typed into under
// the offscreen platform, the settings, the board and the panel positions checked after.
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyleOptionViewItem>
#include <map>
#include <tuple>

#include "drivers/dialogs.h"
#include "io/ini.h"
#include "io/settings.h"
#include "tests/ui/window_fixture.h"

namespace {

// Every setting as its ini text, so that two states compare key by key.
std::map<std::string, std::string> SettingsKeys() {
  IniFile ini;
  SettingsToIni(g.settings, ini);
  std::map<std::string, std::string> keys;
  for (const IniSection& section : ini.sections)
    for (const IniLine& line : section.lines)
      if (!line.key.empty()) keys[line.key] = line.value;
  return keys;
}

std::vector<std::string> Changed(const std::map<std::string, std::string>& a,
                                 const std::map<std::string, std::string>& b) {
  std::vector<std::string> out;
  for (const auto& [key, value] : b)
    if (!a.count(key) || a.at(key) != value) out.push_back(key);
  return out;
}

// The settings the dialog's radio groups store, in the dialog's order.
std::vector<int32_t> RadioSettings() {
  const Settings& s = g.settings;
  return {s.csrMove, s.candErase, s.saveFormat, s.copySaveMode, s.candCtrl, s.clipboardPattern,
          s.kohoDisplayMode};
}

void ExpectChecked(QWidget* dialog, std::initializer_list<uint32_t> ids) {
  for (uint32_t id : ids) EXPECT_TRUE(Find<QRadioButton>(dialog, id)->isChecked()) << id;
}

using DialogsUi = WindowTest;

// The platform's choosers give the colour and palette, font or file chosen; a cancel gives nothing.
TEST_F(DialogsUi, ColourFontAndFileChoosersGiveWhatWasChosen) {
  // Every one of the sixteen stored colours is offered as a custom colour and kept.
  for (int i = 0; i < 16; ++i) {
    g.settings.baseColor[i] = ColourFromRgb(i, 2 * i, 3 * i);
    QColorDialog::setCustomColor(i, QColor(200, 200, 200));
  }
  ASSERT_TRUE(WithDialog(3030, [](QWidget* d) {
    auto* dialog = qobject_cast<QColorDialog*>(d);
    if (!dialog) return d->close(), void();
    QColorDialog::setCustomColor(3, QColor(1, 2, 3));
    dialog->setCurrentColor(QColor(10, 20, 30));
    dialog->accept();
  }));
  EXPECT_EQ(g.chooserColour, ColourFromRgb(10, 20, 30));
  for (uint32_t i = 0; i < 16; ++i)
    EXPECT_EQ(g.settings.baseColor[i], i == 3 ? ColourFromRgb(1, 2, 3) : ColourFromRgb(i, 2 * i, 3 * i))
        << i;

  QFont chosen;
  ASSERT_TRUE(WithDialog(170, [&chosen](QWidget* d) {
    auto* dialog = qobject_cast<QFontDialog*>(d);
    if (!dialog) return d->close(), void();
    QFont font = dialog->currentFont();
    font.setPixelSize(21);
    font.setWeight(QFont::Bold);
    font.setItalic(true);
    dialog->setCurrentFont(font);
    chosen = dialog->currentFont();  // the nearest style the face has
    dialog->accept();
  }));
  const Settings& s = g.settings;
  EXPECT_EQ((std::vector<int32_t>{s.fontSize, s.fontWeight, s.fontItalic}),
            (std::vector<int32_t>{-21, static_cast<int32_t>(chosen.weight()), chosen.italic() ? 1 : 0}));

  const QString puzzle = folder.filePath(QStringLiteral("chosen.txt"));
  QFile file(puzzle);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(kSample) == 81);
  file.close();
  LoadGivens(std::string(81, '0'));
  ASSERT_TRUE(WithDialog(200, [&puzzle](QWidget* d) {
    auto* dialog = qobject_cast<QFileDialog*>(d);
    if (!dialog) return d->close(), void();
    dialog->selectFile(puzzle);
    static_cast<QDialog*>(dialog)->accept();  // as the Open button does
  }));
  EXPECT_EQ(std::make_pair(g.board.value[CellAt(0, 7)], g.board.value[CellAt(1, 0)]), std::make_pair(1u, 4u));
  ModalAnswerer answerer;  // "Cancel" in the file chooser: no path, so no message either
  RunCommand(225);
  EXPECT_EQ(answerer.answered, 1);
  EXPECT_EQ(answerer.boxes, std::vector<QString>{});
}

TEST_F(DialogsUi, SettingsDialogOkStoresTheListedKeysAndCancelNothing) {
  const auto before = SettingsKeys();
  ASSERT_TRUE(WithDialog(290, [](QWidget* d) {
    for (uint32_t id : {1410u, 1413u, 1421u, 1425u, 1426u, 1430u, 1432u}) Find<QRadioButton>(d, id)->click();
    Click(d, "cancel");
  }));
  EXPECT_TRUE(Changed(before, SettingsKeys()).empty());

  ASSERT_TRUE(WithDialog(290, [](QWidget* d) {
    for (uint32_t id : {1410u, 1413u, 1421u, 1425u, 1426u, 1430u, 1432u, 1417u}) Find<QRadioButton>(d, id)->click();
    Click(d, "ok");
  }));
  const std::vector<std::string> changed = Changed(before, SettingsKeys());
  EXPECT_EQ(changed, (std::vector<std::string>{"CandCtrl", "CandErase", "ClipboardPattern", "CopySaveMode",
                                               "CsrMove", "KohoDisplayMode", "SaveFormat"}));
  EXPECT_EQ(RadioSettings(), (std::vector<int32_t>{0, 2, 1, 2, 1, 2, 1}));
  // Opened again, one button per group is checked, the stored one; the others store their values.
  ASSERT_TRUE(WithDialog(290, [](QWidget* d) {
    ExpectChecked(d, {1410u, 1413u, 1421u, 1425u, 1426u, 1430u, 1432u, 1417u});
    EXPECT_EQ(d->findChildren<QRadioButton*>().size(), 22);
    int checked = 0;
    for (QRadioButton* radio : d->findChildren<QRadioButton*>()) checked += radio->isChecked();
    EXPECT_EQ(checked, 8);
    for (uint32_t id : {1411u, 1414u, 1419u, 1422u, 1427u, 1428u, 1431u}) Find<QRadioButton>(d, id)->click();
    Click(d, "ok");
  }));
  EXPECT_EQ(RadioSettings(), (std::vector<int32_t>{1, 0, 0, 0, 0, 0, 0}));
  ASSERT_TRUE(WithDialog(290, [](QWidget* d) {
    ExpectChecked(d, {1411u, 1414u, 1419u, 1422u, 1427u, 1428u, 1431u, 1417u});
    Click(d, "cancel");
  }));
}

TEST_F(DialogsUi, DisplayDialogShowsItsSwatchesAndCutsTheGlyphText) {
  ASSERT_TRUE(WithDialog(130, [](QWidget* d) {
    for (QComboBox* list : d->findChildren<QComboBox*>()) EXPECT_EQ(list->count(), 16);  // the palette
    // Each entry is a 56×14 swatch of its palette colour in a black frame.
    const QImage swatch = Find<QComboBox>(d, 1270)->itemIcon(5).pixmap(56, 14).toImage();
    EXPECT_EQ(swatch.size(), QSize(56, 14));  // an ASSERT here would leave the dialog open
    for (const QPoint& edge : {QPoint(0, 7), QPoint(55, 7), QPoint(28, 0), QPoint(28, 13)})
      EXPECT_TRUE(swatch.valid(edge) && swatch.pixelColor(edge) == QColor(Qt::black)) << edge.x() << "," << edge.y();
    EXPECT_EQ(swatch.pixelColor(28, 7), PaletteColour(5));
    // An open list's entry: its colour inset 2 pixels, a grey frame inside on focus, black if chosen.
    QAbstractItemDelegate* delegate = Find<QComboBox>(d, 1270)->itemDelegate();
    for (const bool chosen : {false, true}) {
      QImage entry(72, 22, QImage::Format_RGB32);
      QStyleOptionViewItem option;
      option.rect = entry.rect();
      option.palette.setColor(QPalette::Base, Qt::white);
      option.state = chosen ? QStyle::State_Selected | QStyle::State_HasFocus : QStyle::State_None;
      QPainter painter(&entry);
      delegate->paint(&painter, option, Find<QComboBox>(d, 1270)->model()->index(5, 0));
      painter.end();
      const QColor white(Qt::white), fill = PaletteColour(5);
      const std::pair<int, QColor> columns[] = {{1, white}, {2, fill},  {69, fill}, {70, white},
                                                {4, chosen ? QColor(Qt::gray) : white},
                                                {6, chosen ? QColor(Qt::black) : white}, {36, fill}};
      for (const auto& [x, want] : columns) EXPECT_EQ(entry.pixelColor(x, 11), want) << x << " " << chosen;
    }
    auto* text = Find<QLineEdit>(d, 1570);
    EXPECT_EQ(text->text(), QStringLiteral("いろはにほてとちりぬ"));
    // Fifteen astral characters are thirty units; the field keeps 29: fourteen whole ones.
    const QString fifteen = QString::fromUtf8("𠀋").repeated(15);
    text->clear();
    text->insert(fifteen);
    EXPECT_EQ(text->text(), fifteen.left(28));
    Click(d, "ok");
  }));
}

// Colour lists (either set in use) and glyph sets open on the stored value and store what they show.
TEST_F(DialogsUi, ChoicesOpenOnTheStoredValueAndStoreWhatTheyShow) {
  // Role i on entry i, or on entry 15 - i: each list on an entry of its own.
  const auto entry = [](int32_t from, uint32_t i) { return static_cast<int32_t>(from == 0 ? i : 15 - i); };
  for (const int32_t from : {0, 15}) {
    ASSERT_TRUE(WithDialog(1241, [&](QWidget* d) {
      for (uint32_t i = 0; i < kColourRoleCount; ++i)
        Find<QComboBox>(d, kColourRoles[i].listId)->setCurrentIndex(entry(15 - from, i));
      Find<QCheckBox>(d, 1360)->setChecked(from == 15);
      Click(d, "ok");
    }));
    for (uint32_t i = 0; i < kColourRoleCount; ++i) EXPECT_EQ(SecondColourDialogValues().colour[i], entry(15 - from, i));
    DisplayChoice shown = DisplayDialogValues();
    for (uint32_t i = 0; i < kColourRoleCount; ++i) shown.colour[i] = entry(from, i);
    DisplayDialogOk(shown);
    shown = DisplayDialogValues();
    const SecondColourChoice second = SecondColourDialogValues();
    ASSERT_EQ(second.inUse, from == 15 ? 1u : 0u);
    const auto before = SettingsKeys();
    for (const uint32_t command : {130u, 1241u}) {
      const int32_t* roles = command == 130 ? shown.colour : second.colour;
      ASSERT_TRUE(WithDialog(command, [&](QWidget* d) {
        for (uint32_t i = 0; i < kColourRoleCount; ++i)
          EXPECT_EQ(Find<QComboBox>(d, kColourRoles[i].listId)->currentIndex(), roles[i]) << command << " " << i;
        EXPECT_TRUE(command == 130 || Find<QCheckBox>(d, 1360)->isChecked() == (from == 15)) << from;
        Click(d, "ok");
      }));
      EXPECT_EQ(Changed(before, SettingsKeys()), std::vector<std::string>{}) << command << " from " << from;
    }
    ASSERT_TRUE(WithDialog(130, [&](QWidget* d) {
      for (uint32_t i = 0; i < kColourRoleCount; ++i)
        Find<QComboBox>(d, kColourRoles[i].listId)->setCurrentIndex(entry(15 - from, i));
      Click(d, "ok");
    }));
    const DisplayChoice stored = DisplayDialogValues();
    for (uint32_t i = 0; i < kColourRoleCount; ++i) EXPECT_EQ(stored.colour[i], entry(15 - from, i)) << i;
  }

  for (uint32_t k = 0; k < 7; ++k) {
    const RadioChoice& next = kGlyphSetChoices[(k + 1) % 7];  // the first after the last
    g.settings.kanSuuji = kGlyphSetChoices[k].value;
    ASSERT_TRUE(WithDialog(130, [&](QWidget* d) {
      ExpectChecked(d, {kGlyphSetChoices[k].id});
      Find<QRadioButton>(d, next.id)->click();
      Click(d, "ok");
    }));
    EXPECT_EQ(g.settings.kanSuuji, next.value);
  }
}

// The automatic base name keeps 63 units, never half a character; a folder part is refused.
TEST_F(DialogsUi, AutoNameAndCandidateListDialogs) {
  int opened = 0;
  ModalAnswerer answerer(nullptr, [this, &opened](QWidget* d) {
    auto* name = Find<QLineEdit>(d, 1570);
    name->clear();
    if (++opened == 1) {
      EXPECT_EQ(d->pos().y(), app.window->frameGeometry().top()) << "beside the window, level with it";
      EXPECT_FALSE(Find<QCheckBox>(d, 1360)->isChecked());
      name->setText(QString(62, QLatin1Char('n')) + QString::fromUtf8("𠀋"));
      EXPECT_EQ(name->text(), QString(62, QLatin1Char('n')));
      name->setText(QStringLiteral("../x"));
      Find<QSpinBox>(d, 1580)->setValue(12345);
      Find<QSpinBox>(d, 2910)->setValue(0);
      Find<QCheckBox>(d, 1360)->setChecked(true);
    } else {
      QTest::keyClicks(name, QString(70, QChar('n')));
    }
    Click(d, "ok");
  });
  RunCommand(3000);
  EXPECT_EQ(answerer.boxes, std::vector<QString>{QStringLiteral("保存ファイル名自動生成\t基準ファイル名に「/」は使えません")});
  EXPECT_EQ(opened, 2);
  EXPECT_EQ(g.settings.autoSaveFileName, std::string(63, 'n'));
  EXPECT_EQ((std::vector<int32_t>{g.settings.autoSaveCount, g.settings.autoSaveDigit, g.settings.autoSaveFileNameFlag}),
            (std::vector<int32_t>{9999, 1, 1}));
  const auto before = SettingsKeys();
  ASSERT_TRUE(WithDialog(3000, [](QWidget* d) {
    EXPECT_EQ(Find<QSpinBox>(d, 1580)->value(), 9999);
    EXPECT_TRUE(Find<QCheckBox>(d, 1360)->isChecked());
    Find<QSpinBox>(d, 1580)->setValue(0);  // numbering may start from nought
    Click(d, "ok");
  }));
  EXPECT_EQ(Changed(before, SettingsKeys()), std::vector<std::string>{"AutoSaveCount"});

  LoadGivens(kSample);
  RunCommand(310);
  ASSERT_TRUE(WithDialog(1150, [](QWidget* d) {
    auto* label = Find<QLabel>(d, 1660);
    EXPECT_EQ(label->text(), QStringLiteral("候補 <1>"));
    const std::tuple<uint32_t, int, QString> steps[] = {{kListRaise, 10, "9"}, {kListLower, 1, "8"}, {kListLower, 10, "1"}};
    for (const auto& [button, clicks, shown] : steps) {
      for (int i = 0; i < clicks; ++i) QTest::mouseClick(Find<QPushButton>(d, button), Qt::LeftButton);
      EXPECT_EQ(label->text(), QStringLiteral("候補 <%1>").arg(shown));
    }
    QTest::mouseClick(Find<QPushButton>(d, kListRaise), Qt::LeftButton);
    auto* list = Find<QListWidget>(d, 1560);
    EXPECT_EQ(list->count(), 11);
    EXPECT_EQ(list->item(3)->text(), QStringLiteral("－－－＋－－－＋－－－"));
    Click(d, "ok");
  }));
}

TEST_F(DialogsUi, PanelsPostCommandsAndAMovedPanelReopensWhereItWasLeft) {
  LoadGivens(kSample);
  g.settings.candCtrl = 1;
  RunCommand(310);
  QCoreApplication::processEvents();
  QWidget* panel = app.window->Panel(PanelControl);
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->pos().y(), app.window->frameGeometry().top());
  panel->move(panel->pos() + QPoint(37, 61));
  const QPoint moved = panel->pos();
  RunCommand(310);
  QCoreApplication::processEvents();
  EXPECT_EQ(app.window->Panel(PanelControl), nullptr);
  RunCommand(310);
  QCoreApplication::processEvents();
  panel = app.window->Panel(PanelControl);
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->pos(), moved);

  // "Single" of the Naked group posts 1110 after the click.
  const uint32_t total = g.cand.total;
  QTest::mouseClick(Find<QPushButton>(panel, 1750), Qt::LeftButton);
  EXPECT_EQ(g.cand.total, total);
  QCoreApplication::processEvents();
  EXPECT_LT(g.cand.total, total);

  // A panel closed by its frame is closed for the engine too, and stays closed.
  ShowUsageView(1);
  QCoreApplication::processEvents();
  for (const uint32_t id : {PanelCandidateUsage, PanelControl}) {
    QWidget* open = app.window->Panel(id);
    ASSERT_NE(open, nullptr) << id;
    open->close();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(app.window->Panel(id), nullptr) << id;
  }
  EXPECT_EQ(g.usageView, 0u);
  EXPECT_EQ(g.controlPanelOpen, 0u);
}

}  // namespace
