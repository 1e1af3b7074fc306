#include "RegisterDialog.h"

#include "DialogLook.h"
#include "QtText.h"
#include "QuestionBox.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyleOptionHeader>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>

namespace registers {

namespace {

constexpr int RowHeight = 24;
// Where a cell's text starts, and the room kept at its right for the grid
// line.
constexpr int CellTextLeft = 2;
constexpr int CellTextRight = 3;

// Cell texts start 2 pixels from the left edge and are clipped at the right
// one, without an ellipsis; the column widths make room for the whole text.
class CellTextDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem frame = option;
        initStyleOption(&frame, index);
        const QString text = frame.text;
        frame.text.clear();
        const QWidget* widget = option.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &frame, painter, widget);

        painter->save();
        const QRect area = option.rect.adjusted(CellTextLeft, 0, 0, 0);
        painter->setClipRect(area);
        painter->setFont(option.font);
        const bool selected = option.state & QStyle::State_Selected;
        painter->setPen(
            option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
        painter->restore();
    }
};

// The width a header section needs for `text`, as the header itself sizes
// a section: the style's margins, and a bold face (the header of a selected
// line is drawn bold).
int HeaderTextWidth(const QHeaderView* header, const QString& text) {
    QStyleOptionHeader option;
    option.initFrom(header);
    option.text = text;
    option.orientation = header->orientation();
    QFont bold = header->font();
    bold.setBold(true);
    option.fontMetrics = QFontMetrics(bold);
    return header->style()
               ->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), header)
               .width() +
           CellTextRight;
}

QTableWidget* MakeGrid(QWidget* parent) {
    auto* grid = new QTableWidget(parent);
    grid->setObjectName("StringGrid1");
    grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
    grid->setTabKeyNavigation(true);
    grid->setShowGrid(true);
    grid->setItemDelegate(new CellTextDelegate(grid));
    grid->verticalHeader()->setMinimumSectionSize(8);
    grid->verticalHeader()->setDefaultSectionSize(RowHeight);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid->horizontalHeader()->setFixedHeight(RowHeight);
    grid->horizontalHeader()->setMinimumSectionSize(8);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return grid;
}

} // namespace

RegisterDialog::RegisterDialog(EntryAxis axis, int widthPercent, QWidget* parent)
    : QDialog(parent), Label1(new QLabel(this)), ComboBox1(new QComboBox(this)),
      Label3(new QLabel(this)), Edit2(new QLineEdit(this)), Label4(new QLabel(this)),
      Edit1(new QLineEdit(this)), StringGrid1(MakeGrid(this)), Label2(new QLabel(this)),
      Button1(new QPushButton(this)), StatusBar1(new QStatusBar(this)), grid_(*StringGrid1),
      axis_(axis), widthPercent_(widthPercent) {
    setFont(DialogFont());
    setModal(true);
    ComboBox1->setObjectName("ComboBox1");
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    Edit1->setObjectName("Edit1");
    Edit2->setObjectName("Edit2");
    Button1->setObjectName("Button1");
    // Return in a field must not press the button.
    Button1->setAutoDefault(false);
    StatusBar1->setObjectName("StatusBar1");
    StatusBar1->setSizeGripEnabled(false);
    Edit1->setToolTip(qttext::Q("セルの値を編集できます"));
    Edit2->setToolTip(qttext::Q("セルの位置を表示してます"));
    Label2->setText(qttext::Q("一列が追加できます"));
    Label3->setText(qttext::Q("表のセル位置"));
    Label4->setText(qttext::Q("セルの値"));
    Edit1->clear();
    Edit2->clear();

    connect(ComboBox1->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString&) { ComboBox1Change(); });
    connect(ComboBox1, &QComboBox::activated, this, [this](int) { ComboBox1Change(); });
    connect(Edit1, &QLineEdit::textEdited, this, &RegisterDialog::Edit1Change);
    connect(Button1, &QPushButton::clicked, this, &RegisterDialog::Button1Click);
    StringGrid1->viewport()->installEventFilter(this);
    connect(StringGrid1->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int) { StringGrid1Click(nullptr); });
    connect(StringGrid1->verticalHeader(), &QHeaderView::sectionClicked, this,
            [this](int) { StringGrid1Click(nullptr); });
}

void RegisterDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The activation may ask a question; it runs once the dialog is up.
    if (!activationQueued_) {
        activationQueued_ = true;
        QTimer::singleShot(0, this, &RegisterDialog::RunActivation);
    }
}

void RegisterDialog::done(int result) {
    const QModelIndex current = StringGrid1->currentIndex();
    if (QWidget* editor = current.isValid() ? StringGrid1->indexWidget(current) : nullptr) {
        emit StringGrid1->itemDelegate()->commitData(editor);
    }
    QDialog::done(result);
}

void RegisterDialog::RunActivation() {
    if (activationStarted_) {
        return;
    }
    activationStarted_ = true;
    FormActivate();
    activated_ = true;
}

bool RegisterDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == StringGrid1->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            const QPoint pos = mouse->position().toPoint();
            StringGrid1Click(&pos);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void RegisterDialog::RefreshNameList() {
    const QString text = ComboBox1->currentText();
    {
        const QSignalBlocker blocker(ComboBox1);
        ComboBox1->clear();
        for (const std::string& name : EntryNames(grid_, axis_)) {
            ComboBox1->addItem(qttext::FromCp932(name));
        }
    }
    ShowNameText(text);
}

void RegisterDialog::ShowNameText(const QString& text) {
    const QSignalBlocker blocker(ComboBox1);
    // The current item must agree with the text: on losing the focus the box
    // itself reports a text that names another item as picked by the user.
    const int item = ComboBox1->findText(text);
    if (item >= 0) {
        ComboBox1->setCurrentIndex(item);
    }
    ComboBox1->setEditText(text);
}

void RegisterDialog::ComboBox1Change() {
    wordlist items;
    for (int i = 0; i < ComboBox1->count(); ++i) {
        items.push_back(qttext::ToCp932(ComboBox1->itemText(i)));
    }
    const auto index = FindNameIndex(items, qttext::ToCp932(ComboBox1->currentText()));
    if (!index) {
        return;
    }
    SetStatus(SelectionStatus(*index));
    SelectedIndex = *index;
}

void RegisterDialog::StringGrid1Click(const QPoint* pos) {
    RefreshNameList();
    EditCol = 0;
    EditRow = 0;
    if (pos == nullptr) {
        return;
    }
    const QModelIndex cell = StringGrid1->indexAt(*pos);
    if (!cell.isValid()) {
        return;
    }
    EditCol = cell.column() + 1;
    EditRow = cell.row() + 1;
    if (IsDataCell(grid_, EditCol, EditRow)) {
        Edit2->setText(qttext::FromCp932(CellPositionText(EditCol, EditRow)));
        Edit1->setText(qttext::FromCp932(grid_.Cell(EditCol, EditRow)));
    }
}

void RegisterDialog::Edit1Change(const QString& text) {
    if (IsDataCell(grid_, EditCol, EditRow)) {
        grid_.SetCell(EditCol, EditRow, qttext::ToCp932(text));
    }
}

void RegisterDialog::Button1Click() {
    SetStatus(AddEntryLine());
    RefreshNameList();
}

void RegisterDialog::SetNameBoxText(const std::string& text) {
    ShowNameText(qttext::FromCp932(text));
}

void RegisterDialog::SetStatus(const std::string& text) {
    StatusBar1->showMessage(qttext::FromCp932(text));
}

void RegisterDialog::FitColumnWidths() {
    registers::FitColumnWidths(grid_, PointSizeOf(StringGrid1->font()), widthPercent_);
    const QFontMetrics cells(StringGrid1->font());
    WidenToTexts(grid_, [this, &cells](int col, int row) {
        const QString text = qttext::FromCp932(grid_.Cell(col, row));
        if (row == 0) {
            return HeaderTextWidth(StringGrid1->horizontalHeader(), text);
        }
        if (col == 0) {
            return HeaderTextWidth(StringGrid1->verticalHeader(), text);
        }
        return CellTextLeft + cells.horizontalAdvance(text) + CellTextRight;
    });
}

bool RegisterDialog::AskAddition() {
    return qttext::AskQuestion(this, qttext::Q("確認"), qttext::FromCp932(AdditionQuestion())) ==
           qttext::Answer::Yes;
}

} // namespace registers
