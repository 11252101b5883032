// The continuous-record form from the main menu, against the emulated tester: download, save, open and chart.
#include "continuous/ui/ContinuousRecordForm.h"

#include "app/ui/FormSet.h"
#include "continuous/ContinuousRecord.h"
#include "continuous/ui/ContinuousChartWindow.h"
#include "continuous/ui/ContinuousGrid.h"
#include "support/AppFixture.h"
#include "support/Emulator.h"
#include "support/PaintedTexts.h"
#include "tester/TesterLink.h"
#include "tester/ui/WaitDialog.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTest>
#include <QValueAxis>
#include <QWheelEvent>

#include <memory>
#include <set>

using namespace vanto;
using namespace vanto::test;

namespace {

std::string T(const QString& text) {
    return text.toStdString();
}

std::string Frame(const std::string& body) {
    unsigned sum = 0;
    for (unsigned char c : body) {
        sum += c;
    }
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", sum % 256);
    return "\x02" + body + digits + "\r\n";
}

std::string RecordsFrame(int first, int last) {
    const std::string data = "MIN=" + std::to_string(first) + ",MAX=" + std::to_string(last);
    char length[5];
    std::snprintf(length, sizeof length, "%04X", static_cast<unsigned>(data.size()));
    return Frame("DG" + std::string(length) + data);
}

// The emulator's generated cell of record n, column j (see its README).
std::string Generated(int n, int j) {
    return std::to_string(j == 0 ? n : (n * j * 7 + j * 13) % 1000);
}

// A generated series of `rows` records of 5 columns; `faults` is a fault rule list's content.
std::string Series(int rows, const std::string& faults = "", const std::string& more = "") {
    return R"({"faults": {"delay_ms": 2, "rules": [)" + faults + R"(]}, "continuous": {"generate": {"rows": )" +
           std::to_string(rows) + R"(, "columns": 5})" + more + "}}";
}

const std::string Waiting = "ただいま通信中です。しばらくお待ちください。";
const std::string Failed = "正常な通信が出来ません！";

// The chart's window title, which a screen reader says for the chart too.
const char* const ChartTitle = "連続記録のグラフ";

class ContinuousForm : public AppFixture {
protected:
    ContinuousRecordForm* Open(const std::string& scenario) {
        emulator = std::make_unique<Emulator>(folder, scenario);
        StartAndShow();
        Press(main, "連 続 記 録 の 読 出 し");
        form = Forms().Continuous;
        wait = Forms().Wait;
        return form;
    }
    // Presses the download button; returns once the job ended (or never started) and the form is back.
    void Download() {
        Named<QPushButton>(form, "テスタから読取")->click();
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return main->State.PendingJob == TesterJob::None && form->isVisible() && !wait->isVisible(); },
            20000));
    }
    void TearDown() override {
        AppFixture::TearDown();
        emulator.reset();
    }
    std::vector<std::string> FramesFromPc() const { return emulator->FramesFromPc(); }
    // The CSV bytes of records first..last of the generated series, header rows first.
    static std::string GeneratedCsv(int first, int last) {
        std::string csv = Sjis("No.,項目1,項目2,項目3,項目4,\r\n,単位1,単位2,単位3,単位4,\r\n");
        for (int n = first; n <= last; ++n) {
            for (int j = 0; j < 5; ++j) {
                csv += Generated(n, j) + ",";
            }
            csv += "\r\n";
        }
        return csv;
    }
    std::string Csv(const std::string& name) const { return ReadBytes(folder / name); }
    bool Enabled(const char* caption) const { return Named<QPushButton>(form, caption)->isEnabled(); }
    QTableView* Grid() const { return Named<QTableView>(form, "連続記録"); }
    ContinuousChartWindow* OpenChart() {
        Press(form, "グラフ表示");
        return qobject_cast<ContinuousChartWindow*>(WaitForWindow(ChartTitle));
    }
    static QChart* ChartOf(QWidget* window) { return Named<QChartView>(window, ChartTitle)->chart(); }
    // The points of the chart's line.
    static QList<QPointF> Points(QWidget* window, int line) {
        return static_cast<QLineSeries*>(ChartOf(window)->series()[line])->points();
    }

    std::unique_ptr<Emulator> emulator;
    ContinuousRecordForm* form = nullptr;
    WaitDialog* wait = nullptr;
};

TEST_F(ContinuousForm, WholePathFromTheMainMenu) {
    Open(Series(400));
    ASSERT_TRUE(form->isVisible());
    EXPECT_FALSE(main->isVisible());
    EXPECT_EQ(T(form->windowTitle()), "連続記録の取り込み、表示");
    for (const char* caption : {"テスタから読取", "表示ﾃﾞｰﾀ登録", "登録ﾃﾞｰﾀ表示", "戻　　　る", "グラフ表示"}) {
        EXPECT_EQ(AllNamed<QPushButton>(form, caption).size(), 1) << caption;
    }
    EXPECT_FALSE(Enabled("表示ﾃﾞｰﾀ登録") || Enabled("グラフ表示"));

    // The wait dialog's label as painted while the blocks are read (each block repaints it at once, however fast
    // the tester answers).
    const PaintedTexts painted(Named<QLabel>(wait, Waiting.c_str()));
    Download();
    EXPECT_EQ(FramesFromPc(),
              (std::vector<std::string>{Frame("AA0000"), Frame("CD0000"), Frame("DG0004ITEM"), RecordsFrame(1, 187),
                                        RecordsFrame(188, 374), RecordsFrame(375, 400), Frame("AB0000")}));
    for (const char* progress : {" 1 / 3", " 2 / 3", " 3 / 3"}) {
        EXPECT_TRUE(painted.Saw(Waiting + progress)) << progress;
    }
    EXPECT_TRUE(dialogs.Messages().empty());
    EXPECT_TRUE(Enabled("表示ﾃﾞｰﾀ登録") && Enabled("グラフ表示"));
    EXPECT_EQ(main->Link->DeviceHandle, 0);

    // Header rows above the columns, the fixed column beside the records, cells decoded.
    const QAbstractItemModel* model = Grid()->model();
    EXPECT_EQ(model->rowCount(), 400);
    EXPECT_EQ(model->columnCount(), 4);
    EXPECT_EQ(T(model->headerData(0, Qt::Horizontal).toString()), "項目1\n単位1");
    EXPECT_EQ(T(model->headerData(399, Qt::Vertical).toString()), "400");
    EXPECT_EQ(T(model->index(399, 3).data().toString()), Generated(400, 4));
    EXPECT_EQ(T(static_cast<const ContinuousTableModel*>(model)->CornerText()), "No.\n");

    // Saved as CSV, then shown again with the extra empty column.
    dialogs.QueueFile(folder.Dir() + "series.CSV");
    Press(form, "表示ﾃﾞｰﾀ登録");
    ASSERT_EQ(dialogs.FileDialogs().size(), 1u);
    EXPECT_EQ(dialogs.FileDialogs().back().filter, "CSVファイル|*.CSV");
    EXPECT_EQ(dialogs.FileDialogs().back().defaultExtension, "CSV");
    EXPECT_EQ(Csv("series.CSV"), GeneratedCsv(1, 400));
    dialogs.QueueFile(folder.Dir() + "series.CSV");
    Press(form, "登録ﾃﾞｰﾀ表示");
    ASSERT_EQ(dialogs.FileDialogs().size(), 2u);
    EXPECT_EQ(dialogs.FileDialogs().back().filter, "CSVﾌｧｲﾙ|*.CSV");
    EXPECT_EQ(form->Table().RowCount(), 402);
    EXPECT_EQ(form->Table().ColumnCount(), 6);
    EXPECT_EQ(model->columnCount(), 5);
    EXPECT_TRUE(dialogs.Messages().empty());

    // The chart of the first column, then of two.
    ContinuousChartWindow* chart = OpenChart();
    ASSERT_EQ(chart->ColumnNames().size(), 5);
    EXPECT_EQ(T(chart->ColumnNames()[0]), "項目1 単位1");
    ASSERT_EQ(ChartOf(chart)->series().size(), 1);
    EXPECT_EQ(Points(chart, 0).size(), 400);
    Named<QCheckBox>(chart, "項目4 単位4")->click();
    ASSERT_EQ(ChartOf(chart)->series().size(), 2);
    EXPECT_EQ(T(ChartOf(chart)->series()[1]->name()), "項目4 単位4");

    Press(form, "戻　　　る");
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(chart->isVisible());
    EXPECT_TRUE(main->isVisible());
}

TEST_F(ContinuousForm, ButtonsFollowTheRightEdgeAndTheFormIsCentred) {
    Open("{}");
    // Centred (the window frame, which the platform adds after the show, may shift it by its width).
    const QPoint offset = form->frameGeometry().center() - form->screen()->geometry().center();
    EXPECT_LE(offset.manhattanLength(), 4) << offset.x() << "," << offset.y();
    std::vector<QPushButton*> buttons;
    std::vector<int> tops;
    for (const char* caption : {"テスタから読取", "表示ﾃﾞｰﾀ登録", "登録ﾃﾞｰﾀ表示", "グラフ表示", "戻　　　る"}) {
        buttons.push_back(Named<QPushButton>(form, caption));
        tops.push_back(buttons.back()->y());
    }
    form->resize(1234, 700);
    std::size_t i = 0;
    for (QPushButton* button : buttons) {
        EXPECT_EQ(button->x(), 1234 - button->width() - 10) << T(button->text());
        EXPECT_EQ(button->y(), tops[i++]);
        EXPECT_LT(Grid()->geometry().right(), button->x());
    }
    EXPECT_EQ(Grid()->height(), 700);
}

TEST_F(ContinuousForm, FailedMiddleBlockIsReportedAtTheEndWithTheOtherRows) {
    Open(Series(400, R"({"command": "DG", "nth": 3, "action": "error"})"));
    Download();
    ASSERT_EQ(dialogs.Texts(), std::vector<std::string>{Failed});
    EXPECT_EQ(dialogs.Messages()[0].icon, DialogIcon::Information);
    EXPECT_EQ(FramesFromPc().size(), 7u); // every block was asked for
    EXPECT_TRUE(Enabled("表示ﾃﾞｰﾀ登録"));
    dialogs.QueueFile(folder.Dir() + "part.CSV");
    Press(form, "表示ﾃﾞｰﾀ登録");
    EXPECT_EQ(Csv("part.CSV"), GeneratedCsv(1, 187) + GeneratedCsv(375, 400).substr(GeneratedCsv(1, 0).size()));
}

TEST_F(ContinuousForm, UnpluggingMidDownloadEndsCleanly) {
    Open(Series(400, R"({"command": "DG", "nth": 3, "action": "unplug_in_read"})"));
    Download();
    // One message: the link has told the user the tester is gone.
    EXPECT_EQ(dialogs.Texts(), (std::vector<std::string>{"ターゲットデバイスが外されました!"}));
    // Nothing after the block whose answer never came, not even the closing exchange.
    const auto frames = FramesFromPc();
    ASSERT_EQ(frames.size(), 5u);
    EXPECT_EQ(frames.back(), RecordsFrame(188, 374));
    EXPECT_EQ(main->Link->DeviceHandle, 0);
    EXPECT_EQ(main->Link->LinkOpen, 0);
    EXPECT_EQ(form->Table().RowCount(), 2 + 187);
}

struct NoTableCase {
    const char* name;
    std::string scenario;
    std::vector<std::string> messageStarts;
    std::vector<std::string> frames;
};
void PrintTo(const NoTableCase& c, std::ostream* os) {
    *os << c.name;
}

class DownloadWithoutTable : public ContinuousForm, public ::testing::WithParamInterface<NoTableCase> {};

TEST_P(DownloadWithoutTable, KeepsTheTableAndTheSaveButton) {
    const NoTableCase& c = GetParam();
    Open(c.scenario);
    form->ShowTable(ParseCsv("old,table\r\n"));
    Download();
    const auto texts = dialogs.Texts();
    ASSERT_EQ(texts.size(), c.messageStarts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_TRUE(texts[i].starts_with(c.messageStarts[i])) << texts[i];
    }
    EXPECT_EQ(FramesFromPc(), c.frames);
    EXPECT_EQ(CsvBytes(form->Table()), "old,table,\r\n");
    EXPECT_FALSE(Enabled("表示ﾃﾞｰﾀ登録"));
    EXPECT_EQ(main->Link->DeviceHandle, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DownloadWithoutTable,
    ::testing::Values(NoTableCase{"NoRecord",
                                  Series(10, "", R"(, "range_data": "MIN=0,MAX=-1,")"),
                                  {"診断機に連続記録ﾃﾞｰﾀが有りません"},
                                  {Frame("AA0000"), Frame("CD0000"), Frame("AB0000")}},
                      NoTableCase{"ItemsRefused",
                                  Series(10, R"({"command": "DG", "action": "error"})"),
                                  {Failed},
                                  {Frame("AA0000"), Frame("CD0000"), Frame("DG0004ITEM"), Frame("AB0000")}},
                      // Without bit 31 of APP_LOG only the opening and the closing exchange are sent.
                      NoTableCase{"NoCapability",
                                  R"({"opening": {"items": {"APP_V": "1", "APP_LOG": "7FFFFFFF"}}})",
                                  {ContinuousCapabilityText},
                                  {Frame("AA0000"), Frame("AB0000")}},
                      // The link says why; nothing about the capability, which is unknown.
                      NoTableCase{"NoTester", R"({"attached": false})", {"***************テスターがUSBポート"}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ContinuousForm, SaveAsksBeforeReplacingAndReportsWhatCannotBeWritten) {
    Open(Series(3));
    Download();
    const std::string file = folder.Dir() + "kept.CSV";
    WriteBytes(folder / "kept.CSV", "old");

    dialogs.QueueFile(std::nullopt);
    Press(form, "表示ﾃﾞｰﾀ登録");
    dialogs.QueueFile(file);
    dialogs.QueueAnswer(DialogAnswer::Cancel);
    Press(form, "表示ﾃﾞｰﾀ登録");
    EXPECT_EQ(Csv("kept.CSV"), "old");
    dialogs.QueueFile(file);
    dialogs.QueueAnswer(DialogAnswer::Ok);
    Press(form, "表示ﾃﾞｰﾀ登録");
    EXPECT_EQ(Csv("kept.CSV"), GeneratedCsv(1, 3));
    dialogs.QueueFile(folder.Dir() + "missing/new.CSV");
    Press(form, "表示ﾃﾞｰﾀ登録");
    dialogs.QueueFile(folder.Dir() + "absent.CSV");
    Press(form, "登録ﾃﾞｰﾀ表示");

    ASSERT_EQ(dialogs.Texts(),
              (std::vector<std::string>{"既に同じファイル名が存在します、上書きしてよろしいですか？",
                                        "既に同じファイル名が存在します、上書きしてよろしいですか？",
                                        "ファイルの書き込みが出来ません！", "ファイルがオープン出来ません！"}));
    EXPECT_EQ(dialogs.Messages()[0].buttons, DialogButtons::OkCancel);
    EXPECT_EQ(form->Table().RowCount(), 5); // the failed open left the table
}

TEST_F(ContinuousForm, FileOfOneWideLineAndManyShortOnesShowsAsItWasRead) {
    // 200,000 commas, 200,000 empty lines, then one record: each line keeps its own cells.
    std::string bytes = std::string(200'000, ',') + "\r\n";
    for (int i = 0; i < 200'000; ++i) {
        bytes += "\r\n";
    }
    bytes += "1,750,abc\r\n";
    Open("{}");
    WriteBytes(folder / "wide.CSV", bytes);
    dialogs.QueueFile(folder.Dir() + "wide.CSV");
    Press(form, "登録ﾃﾞｰﾀ表示");
    const QAbstractItemModel* model = Grid()->model();
    ASSERT_EQ(model->rowCount(), 200'000);
    ASSERT_EQ(model->columnCount(), 200'000);
    EXPECT_EQ(T(model->index(199'999, 0).data().toString()), "750");
    EXPECT_EQ(T(model->index(199'999, 1).data().toString()), "abc");
    for (const auto& [row, column] : {std::pair{199'999, 2}, {199'999, 199'999}, {5, 0}, {0, 199'999}}) {
        EXPECT_EQ(T(model->index(row, column).data().toString()), "") << row << "," << column;
    }
    EXPECT_EQ(T(model->headerData(199'999, Qt::Horizontal).toString()), "\n");
    EXPECT_EQ(T(model->headerData(199'999, Qt::Vertical).toString()), "1");
    Grid()->scrollTo(model->index(199'999, 199'999));
    ProcessEvents();

    // The chart offers its first columns and plots the record.
    ContinuousChartWindow* chart = OpenChart();
    ASSERT_EQ(chart->ColumnNames().size(), 500);
    ASSERT_EQ(ChartOf(chart)->series().size(), 1);
    EXPECT_EQ(Points(chart, 0), (QList<QPointF>{{200'000, 750}}));

    EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(ContinuousForm, ChartPlotsTheNumericCellsOfTheChosenColumns) {
    Open("{}");
    dialogs.QueueFile(folder.Dir() + "mixed.CSV");
    WriteBytes(folder / "mixed.CSV", Sjis("No.,回転,水温,状態,\r\n,rpm,℃,,\r\n1,750,82,OK,\r\n2, 760 ,x,OK,\r\n"
                                          "3,,-4.5,NG,\r\n4,770,84,NG,"));
    Press(form, "登録ﾃﾞｰﾀ表示");
    ContinuousChartWindow* chart = OpenChart();
    EXPECT_EQ(T(chart->ColumnNames().join('|')), "回転 rpm|水温 ℃|状態|列5");
    Named<QCheckBox>(chart, "水温 ℃")->click();
    Named<QCheckBox>(chart, "状態")->click();
    ASSERT_EQ(ChartOf(chart)->series().size(), 3);
    EXPECT_EQ(Points(chart, 0), (QList<QPointF>{{1, 750}, {2, 760}, {4, 770}}));
    EXPECT_EQ(Points(chart, 1), (QList<QPointF>{{1, 82}, {3, -4.5}, {4, 84}}));
    EXPECT_TRUE(Points(chart, 2).isEmpty());

    // The wheel zooms in around the mouse; the reset shows every record again.
    QWidget* view = Named<QChartView>(chart, ChartTitle)->viewport();
    const QPointF at = ChartOf(chart)->plotArea().center();
    QWheelEvent wheel(at, view->mapToGlobal(at), {}, {0, 120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &wheel);
    const auto* records = static_cast<const QValueAxis*>(ChartOf(chart)->axes(Qt::Horizontal).at(0));
    EXPECT_LT(records->max() - records->min(), 3.0);
    Press(chart, "全体表示");
    EXPECT_DOUBLE_EQ(records->min(), 1.0);
    EXPECT_DOUBLE_EQ(records->max(), 4.0);

    dialogs.QueueFile(folder.Dir() + "chart.png");
    Press(chart, "PNG保存");
    ASSERT_EQ(dialogs.FileDialogs().size(), 2u);
    EXPECT_EQ(dialogs.FileDialogs().back().filter, "PNGファイル|*.png");
    EXPECT_TRUE(Csv("chart.png").starts_with("\x89PNG\r\n\x1a\n"));
    EXPECT_TRUE(dialogs.Messages().empty());
}

} // namespace
