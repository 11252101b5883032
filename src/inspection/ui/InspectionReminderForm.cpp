#include "inspection/ui/InspectionReminderForm.h"

#include "common/Clock.h"
#include "common/Dialogs.h"
#include "common/FileSystem.h"
#include "common/Paths.h"
#include "common/TextFile.h"
#include "common/ui/FormHelpers.h"
#include "inspection/ReminderSheet.h"
#include "inspection/ui/TextTableModel.h"
#include "print/PrintSetup.h"
#include "print/ui/QtCanvas.h"
#include "register/Register.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <initializer_list>

using namespace vanto;

namespace {

constexpr const char* UnreadableCaption = "読み取れない次回車検日";
// The CSV button's caption also titles the save-file dialog it opens.
constexpr const char* CsvCaption = "CSV出力";

template <std::size_t N> QStringList Titles(const std::array<const char*, N>& titles) {
    QStringList list;
    for (const char* title : titles) {
        list << QString::fromUtf8(title);
    }
    return list;
}

QDateEdit* MonthEdit(QWidget* parent, const char* objectName, const char* accessibleName) {
    auto* edit = new QDateEdit(parent);
    edit->setObjectName(objectName);
    edit->setAccessibleName(QString::fromUtf8(accessibleName));
    edit->setDisplayFormat("yyyy年M月");
    edit->setDateRange(QDate(1989, 1, 1), QDate(2999, 12, 1));
    return edit;
}

// Column widths are set, not measured: measuring reads every row of a list of thousands.
QTableView* Table(QWidget* parent, const char* objectName, const char* accessibleName, QAbstractItemModel* model,
                  std::initializer_list<int> widths) {
    auto* table = new QTableView(parent);
    table->setObjectName(objectName);
    table->setAccessibleName(QString::fromUtf8(accessibleName));
    table->setModel(model);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setStretchLastSection(true);
    int column = 0;
    for (const int width : widths) {
        table->setColumnWidth(column++, width);
    }
    return table;
}

QDate FirstDay(YearMonth month) {
    return QDate(month.Year, month.Month, 1);
}

} // namespace

InspectionReminderForm::InspectionReminderForm(const FormContext& context)
    // A window that may be enlarged for a long list; like the other functions it has no close button, so the way
    // back to the main menu is "閉じる".
    : FormBase(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinMaxButtonsHint),
      context_(context) {
    setObjectName("InspectionReminderForm");
    setWindowTitle(QString::fromUtf8(ReminderCaption));
    setFont(FixedFont(12));

    fromMonthEdit_ = MonthEdit(this, "fromMonthEdit", "開始月");
    toMonthEdit_ = MonthEdit(this, "toMonthEdit", "終了月");
    countLabel_ = new QLabel(this);
    countLabel_->setObjectName("countLabel");
    countLabel_->setAccessibleName("件数");
    dueModel_ = new TextTableModel(Titles(DueColumnTitles), this);
    unreadableModel_ = new TextTableModel(Titles(UnreadableColumnTitles), this);
    dueTable_ = Table(this, "dueTable", ReminderCaption, dueModel_, {120, 85, 120, 120, 90, 70, 230, 105});
    unreadableTable_ = Table(this, "unreadableTable", UnreadableCaption, unreadableModel_, {130, 130});
    csvButton_ = MakeButton(this, "csvButton", CsvCaption);
    printButton_ = MakeButton(this, "printButton", "印刷");
    closeButton_ = MakeButton(this, "closeButton", "閉じる");

    auto* period = new QHBoxLayout;
    period->addWidget(MakeLabel(this, "期間"));
    period->addWidget(fromMonthEdit_);
    period->addWidget(MakeLabel(this, "～"));
    period->addWidget(toMonthEdit_);
    period->addSpacing(20);
    period->addWidget(countLabel_);
    period->addStretch();
    period->addWidget(csvButton_);
    period->addWidget(printButton_);
    period->addWidget(closeButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(period);
    layout->addWidget(dueTable_, 3);
    layout->addWidget(MakeLabel(this, UnreadableCaption));
    layout->addWidget(unreadableTable_, 1);
    resize(1100, 640);

    connect(fromMonthEdit_, &QDateEdit::dateChanged, this, [this] { ChangePeriod(fromMonthEdit_); });
    connect(toMonthEdit_, &QDateEdit::dateChanged, this, [this] { ChangePeriod(toMonthEdit_); });
    connect(csvButton_, &QPushButton::clicked, this, &InspectionReminderForm::SaveCsv);
    connect(printButton_, &QPushButton::clicked, this, &InspectionReminderForm::PrintList);
    connect(closeButton_, &QPushButton::clicked, this, &InspectionReminderForm::ReturnToMainMenu);
}

InspectionReminderForm::~InspectionReminderForm() = default;

void InspectionReminderForm::FormShow() {
    vehicles_ = ReadInspectionDates(
        Register(context_.Paths().CustomerRoot, context_.Paths().VisitorFile, context_.Paths().ExeDir));
    std::vector<QStringList> unreadable;
    for (const DatedVehicle& vehicle : UnreadableDates(vehicles_)) {
        unreadable.push_back({Q(vehicle.Customer), Q(vehicle.Vehicle), Q(vehicle.NextCheck)});
    }
    unreadableModel_->SetRows(std::move(unreadable));
    if (!periodChosen_) {
        // The first showing offers next month; later showings keep the period the user chose.
        periodChosen_ = true;
        const LocalDateTime now = context_.Clock().Now();
        const QDate next = FirstDay(NextMonth({now.year, now.month}));
        const QSignalBlocker blockFrom(fromMonthEdit_);
        const QSignalBlocker blockTo(toMonthEdit_);
        fromMonthEdit_->setDate(next);
        toMonthEdit_->setDate(next);
    }
    ListPeriod();
}

YearMonth InspectionReminderForm::FromMonth() const {
    return {fromMonthEdit_->date().year(), fromMonthEdit_->date().month()};
}

YearMonth InspectionReminderForm::ToMonth() const {
    return {toMonthEdit_->date().year(), toMonthEdit_->date().month()};
}

void InspectionReminderForm::ChangePeriod(QDateEdit* edited) {
    // The period never ends before it begins: the other month follows the one the user changed.
    if (ToMonth() < FromMonth()) {
        QDateEdit* other = edited == fromMonthEdit_ ? toMonthEdit_ : fromMonthEdit_;
        const QSignalBlocker block(other);
        other->setDate(edited->date());
    }
    ListPeriod();
}

void InspectionReminderForm::ListPeriod() {
    due_ = DueInPeriod(vehicles_, FromMonth(), ToMonth());
    std::vector<QStringList> rows;
    rows.reserve(due_.size());
    for (const DatedVehicle& vehicle : due_) {
        QStringList row;
        for (const std::string& text : DueRowTexts(vehicle)) {
            row << Q(text);
        }
        rows.push_back(std::move(row));
    }
    dueModel_->SetRows(std::move(rows));
    countLabel_->setText(QString::number(due_.size()) + "件");
    csvButton_->setEnabled(!due_.empty());
    printButton_->setEnabled(!due_.empty());
}

void InspectionReminderForm::SaveCsv() {
    Dialogs& dialogs = context_.Dialogs();
    FileDialogOptions options;
    options.title = CsvCaption;
    options.folder = context_.Paths().UsersDir;
    options.fileName = ReminderCsvFileName(FromMonth(), ToMonth());
    options.filter = ReminderCsvFilter;
    options.defaultExtension = ReminderCsvExtension;
    options.mustExist = false;
    const auto file = dialogs.SaveFile(options);
    if (!file) {
        return;
    }
    if (FileExists(PathFromUtf8(*file)) && !dialogs.Confirm(DialogIcon::Question, ReminderCsvOverwriteQuestion)) {
        return;
    }
    if (!SaveDueCsv(PathFromUtf8(*file), due_)) {
        dialogs.Show(DialogIcon::Error, ReminderCsvFailedText);
    }
}

void InspectionReminderForm::PrintList() {
    auto target = context_.Dialogs().Print(PrintDialogOptions{});
    if (!target) {
        return;
    }
    // The list is printed across the page, on the paper the dialog chose (A4 when it chose none).
    if (!target->page) {
        target->page = PageSetup{};
    }
    target->page->orientation = PageOrientation::Landscape;
    const ReminderSheet sheet{ReminderTitle(FromMonth(), ToMonth()), due_};
    const std::unique_ptr<QPrinter> printer = MakeSheetPrinter(&*target, sheet.Title);
    QtCanvas measure(*printer, nullptr);
    const int pages = ReminderPageCount(measure, sheet.Rows.size());
    if (!PrintPages(*printer, pages, [&](Canvas& canvas, int page) { DrawReminderPage(canvas, sheet, page, pages); })) {
        context_.Dialogs().Show(DialogIcon::Error, PrintNotStartedText);
    }
}

void InspectionReminderForm::ReturnToMainMenu() {
    hide();
    if (mainMenu_) {
        mainMenu_->show();
    }
}
