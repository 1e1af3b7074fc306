// The main window: its controls, start-up and close sequences, the window
// texts seen by the note logic, recalculation and help.
#include "Unit1.h"

#include "AboutBox.h"
#include "AppSettings.h"
#include "Calculation.h"
#include "Cp932.h"
#include "DialogFilters.h"
#include "FileKinds.h"
#include "InstallPaths.h"
#include "LinePaste.h"
#include "MasterFile.h"
#include "NoteLayout.h"
#include "NumberText.h"
#include "QtText.h"
#include "RegisterSelection.h"
#include "ScreenFont.h"
#include "ToolIcons.h"
#include "WindowPlacement.h"
#include "WindowTexts.h"
#include "Xbiff_custom.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QToolButton>
#include <QUrl>

using qttext::FromCp932;
using qttext::Q;
using qttext::ToCp932;

namespace {

constexpr int kClientWidth = 792;
constexpr int kClientHeight = 560;
constexpr int kFieldHeight = 20;
// TEL and the two bank lines stand 16 pixels apart: they are that high, so
// that none covers the next.
constexpr int kCloseFieldHeight = 16;

QString& SettingsPathOverride() {
    static QString path;
    return path;
}

QString& HelpFileOverride() {
    static QString path;
    return path;
}

QString ExecutableDir() {
    return QCoreApplication::applicationDirPath();
}

// A menu item's caption without accelerator letters: '&' shows as itself.
QString PlainCaption(const QString& caption) {
    QString escaped = caption;
    return escaped.replace('&', "&&");
}

} // namespace

// ---- settings and help file locations ----

QString TForm1::SettingsPath() {
    if (!SettingsPathOverride().isEmpty()) {
        return SettingsPathOverride();
    }
    // Next to the executable; an installed copy keeps it in the user's
    // configuration folder.
    const std::string dir = QFile::encodeName(ExecutableDir()).toStdString();
    const bool writable = installpaths::FolderWritable(dir);
    const installpaths::Environment env = installpaths::FromProcess();
    if (installpaths::IsInstalled(dir, writable)) {
        installpaths::MakeFolders(installpaths::ConfigFolder(env));
    }
    return QFile::decodeName(installpaths::SettingsFile(dir, writable, env).c_str());
}

void TForm1::SetSettingsPath(const QString& path) {
    SettingsPathOverride() = path;
}

QString TForm1::HelpFile() {
    if (!HelpFileOverride().isEmpty()) {
        return HelpFileOverride();
    }
    const QString dir = ExecutableDir();
    return QFile::decodeName(
        installpaths::HelpPage(QFile::encodeName(dir).toStdString(),
                               QFileInfo::exists(dir + "/help/notorio.html"),
                               QFileInfo::exists(dir + "/" + installpaths::kInstalledHelpPage))
            .c_str());
}

void TForm1::SetHelpFile(const QString& path) {
    HelpFileOverride() = path;
}

// ---- construction ----

TForm1::TForm1(const std::vector<std::string>& arguments, QWidget* parent) : QMainWindow(parent) {
    linepaste::InstallOnce();
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    // What needs no font first: the fonts may still be being listed (main).
    setWindowIcon(toolicons::WindowIcon());
    CreateMenus();
    CreateContextMenus();
    setFont(qttext::ScreenFont(12));
    CreateControls();
    CreateDialogs();
    ConnectCommands();
    SetTabOrder();
    AboutBox = LazyDialog<TAboutBox>(this);
    XBiff_custom1 = std::make_unique<TXBiff_custom>();
    FormCreate(arguments);
}

TForm1::~TForm1() = default;

QLineEdit* TForm1::EditField(int number) const {
    static_assert(field::Last == 20);
    QLineEdit* const fields[field::Last + 1] = {
        nullptr, Edit1,  Edit2,  Edit3,  Edit4,  Edit5,  Edit6,  Edit7,  Edit8,  Edit9, Edit10,
        Edit11,  Edit12, Edit13, Edit14, Edit15, Edit16, Edit17, Edit18, Edit19, Edit20};
    if (number < 1 || number > field::Last) {
        return nullptr;
    }
    return fields[number];
}

void TForm1::CreateControls() {
    auto* holder = new QWidget(this);
    holder->setMinimumSize(kClientWidth, kClientHeight);
    setCentralWidget(holder);
    Client = new QWidget(holder);
    Client->setGeometry(0, 0, kClientWidth, kClientHeight);

    auto edit = [this](int left, int top, int width, int height = kFieldHeight) {
        auto* e = new QLineEdit(Client);
        e->setGeometry(left, top, width, height);
        return e;
    };
    auto label = [this](const char* text, int left, int top) {
        auto* l = new QLabel(Q(text), Client);
        l->move(left, top);
        l->adjustSize();
        return l;
    };
    // A label that ends just left of a field, centred on its line.
    auto labelLeftOf = [this](const char* text, QLineEdit* field) {
        auto* l = new QLabel(Q(text), Client);
        l->adjustSize();
        l->move(field->x() - l->width() - 6, field->y() + (field->height() - l->height()) / 2);
        return l;
    };

    // Tool bar.
    Panel1 = new QFrame(Client);
    Panel1->setGeometry(0, 0, 201, 41);
    auto speed = [this](int index, const QIcon& icon) {
        auto* b = new QToolButton(Panel1);
        b->setGeometry(index * 40, 0, 41, 41);
        b->setIcon(icon);
        b->setIconSize(QSize(20, 20));
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    SpeedButton4 = speed(0, toolicons::NewNote());
    SpeedButton1 = speed(1, toolicons::OpenNote());
    SpeedButton2 = speed(2, toolicons::SaveNote());
    SpeedButton5 = speed(3, toolicons::SaveAs());
    SpeedButton3 = speed(4, toolicons::PrintAll());

    // Customer, suffix and date.
    Edit2 = edit(16, 64, 129);
    Edit18 = edit(152, 64, 41);
    Edit1 = edit(368, 48, 121);
    Label1 = label("顧客名", 16, 48);
    Label2 = label("添え字", 152, 48);
    Label15 = labelLeftOf("日付", Edit1);

    // Issuer block.
    Edit16 = edit(592, 24, 89);
    Edit3 = edit(592, 48, 89);
    Edit4 = edit(592, 72, 193);
    Edit5 = edit(592, 96, 193);
    Edit6 = edit(592, 120, 121);
    Edit7 = edit(592, 152, 121, kCloseFieldHeight);
    Edit8 = edit(592, 168, 121, kCloseFieldHeight);
    Edit9 = edit(592, 184, 121, kCloseFieldHeight);
    Label16 = labelLeftOf("No", Edit16);
    Label6 = labelLeftOf("〒", Edit3);
    Label7 = labelLeftOf("住所番地", Edit4);
    Label8 = labelLeftOf("建物等", Edit5);
    Label9 = labelLeftOf("名前", Edit6);
    Label10 = labelLeftOf("TEL", Edit7);
    Label11 = labelLeftOf("振込先", Edit8);
    Label12 = labelLeftOf("振込先", Edit9);
    Edit19 = edit(592, 200, 121);
    Label18 = labelLeftOf("登録番号", Edit19);

    // Totals, rate, cell position and cell editor.
    Edit10 = edit(16, 112, 121);
    Edit11 = edit(312, 112, 57);
    Edit12 = edit(368, 112, 121);
    Label3 = label("税込み金額", 16, 96);
    Label4 = label("税率", 312, 96);
    Label5 = label("消費税", 368, 96);
    Edit20 = edit(248, 112, 57);
    Label19 = label("軽減税率", 248, 96);
    Memo1 = new QPlainTextEdit(Client);
    Memo1->setObjectName("Memo1");
    Memo1->setGeometry(552, 384, 105, 72);
    Memo1->setReadOnly(true);
    Memo1->setFocusPolicy(Qt::NoFocus);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Edit15 = edit(64, 160, 89);
    Edit17 = edit(184, 160, 113);
    Label17 = label("セル値", 184, 144);
    ComboBox1 = new QComboBox(Client);
    ComboBox1->setGeometry(373, 160, 97, kFieldHeight);
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setCompleter(nullptr);

    // Line grid and the totals under it.
    StringGrid1 = new TStringGrid(Client);
    StringGrid1->setGeometry(6, 183, 535, 321);
    // 登録番号 is the widest label of the issuer block: it starts right of
    // the grid, not over its scroll bar.
    if (Label18->x() <= StringGrid1->geometry().right()) {
        Label18->move(StringGrid1->geometry().right() + 1, Label18->y());
    }
    Edit13 = edit(208, 512, 57);
    Edit14 = edit(368, 512, 105);
    Label13 = labelLeftOf("数量合計", Edit13);
    Label14 = labelLeftOf("金額合計", Edit14);

    for (QLineEdit* computed : {Edit10, Edit11, Edit12, Edit13, Edit14, Edit15, Edit17, Edit20}) {
        computed->setFocusPolicy(Qt::ClickFocus);
    }
    for (QLineEdit* right : {Edit10, Edit11, Edit12, Edit13, Edit14, Edit20}) {
        right->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }

    // Button groups.
    auto group = [this](const char* title, int left, int top) {
        auto* g = new QGroupBox(Q(title), Client);
        g->setGeometry(left, top, 99, 129);
        return g;
    };
    GroupBox1 = group("ファイル編集", 552, 224);
    GroupBox2 = group("設定", 664, 224);
    GroupBox3 = group("印刷", 664, 384);
    auto button = [](QGroupBox* box, int index, const char* caption, const char* hint) {
        auto* b = new QPushButton(Q(caption), box);
        b->setGeometry(12, 24 + index * 34, 75, 25);
        b->setToolTip(Q(hint));
        b->setAutoDefault(false);
        return b;
    };
    Button1 = button(GroupBox1, 0, "保存", "名前を付けて保存");
    Button2 = button(GroupBox1, 1, "開く", "ファイルを開く");
    Button3 = button(GroupBox1, 2, "表計算", "表を計算");
    Button4 = button(GroupBox2, 0, "作成者登録", "作成者を登録します");
    Button5 = button(GroupBox2, 1, "顧客登録", "顧客の登録をします");
    Button6 = button(GroupBox2, 2, "品目登録", "品目を登録します");
    Button7 = button(GroupBox3, 0, "納品書印刷", "納品書を印刷します");
    Button8 = button(GroupBox3, 1, "請求書印刷", "請求書を印刷します");
    Button9 = button(GroupBox3, 2, "まとめて印刷", "納品書(控)納品書請求書を印刷します");

    StatusBar1 = new QStatusBar(this);
    setStatusBar(StatusBar1);
    StatusBar1->setSizeGripEnabled(true);
    auto* statusText = new QLabel(StatusBar1);
    statusText->setObjectName("StatusText");
    StatusBar1->addWidget(statusText, 1);
}

void TForm1::CreateMenus() {
    MainMenu1 = new QMenuBar(this);
    setMenuBar(MainMenu1);
    File1 = MainMenu1->addMenu(Q("ファイル"));
    Newdata = File1->addAction(Q("新規"));
    N10 = File1->addAction(Q("開く"));
    N11 = File1->addAction(Q("上書き保存"));
    SaveAs1 = File1->addAction(Q("名前をつけて保存"));
    Writeout0 = File1->addMenu(Q("書きだし"));
    Writeout1 = Writeout0->addAction(Q("エクセルファイル"));
    IssuePdf = File1->addAction(Q("PDFで発行…"));
    File1->addSeparator();
    N23 = File1->addAction(Q("終了"));

    Edit0 = MainMenu1->addMenu(Q("編集"));
    N18 = Edit0->addAction(Q("切り取り"));
    N19 = Edit0->addAction(Q("コピー"));
    N20 = Edit0->addAction(Q("ペースト"));

    Config1 = MainMenu1->addMenu(Q("設定"));
    Ownerconfig = Config1->addAction(Q("作成者設定"));
    Customerlist = Config1->addAction(Q("顧客登録"));
    ProductList = Config1->addAction(Q("品目登録"));

    Print1 = MainMenu1->addMenu(Q("印刷"));
    NouhinprnA4 = Print1->addAction(Q("納品書印刷"));
    SeikyuprnA4 = Print1->addAction(Q("請求書印刷"));
    NouhinhprnA4 = Print1->addAction(Q("納品書控印刷"));
    AllprnA4 = Print1->addAction(Q("まとめて印刷"));
    Customprn = Print1->addAction(Q("カスタム印刷"));
    Print1->addSeparator();
    Preview1 = Print1->addMenu(Q("印刷プレビュー"));
    PreviewNouhin = Preview1->addAction(Q("納品書"));
    PreviewSeikyu = Preview1->addAction(Q("請求書"));
    PreviewNouhinh = Preview1->addAction(Q("納品書控"));
    PreviewAll = Preview1->addAction(Q("まとめて"));
    PreviewNouhin->setData(printing::kDeliveryNote);
    PreviewSeikyu->setData(printing::kInvoice);
    PreviewNouhinh->setData(printing::kCopy);
    PreviewAll->setData(printing::kAllThree);

    Help1 = MainMenu1->addMenu(Q("ヘルプ"));
    N24 = Help1->addAction(Q("ヘルプ"));
    HelpABoutMenu = Help1->addAction(Q("バージョン情報"));

    // The usual keys, shown beside the items; the grid keeps its own
    // Ctrl+C, Ctrl+X and Ctrl+V.
    Newdata->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    N10->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    N11->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    SaveAs1->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    AllprnA4->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    N23->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    N24->setShortcut(QKeySequence(Qt::Key_F1));
}

void TForm1::CreateContextMenus() {
    auto menu = [this](const char* name) {
        auto* m = new QMenu(this);
        m->setObjectName(name);
        return m;
    };
    auto item = [](QMenu* m, const char* caption) {
        return m->addAction(PlainCaption(Q(caption)));
    };
    PopupMenu1 = menu("PopupMenu1");
    GridCut = item(PopupMenu1, "セル切り取り");
    GridCopy = item(PopupMenu1, "セルコピー");
    stringCopy = item(PopupMenu1, "コピー");
    GridPaste = item(PopupMenu1, "ペースト");
    PopupMenu2 = menu("PopupMenu2");
    Grid2Cut = item(PopupMenu2, "セル切り取り");
    Grid2Copy = item(PopupMenu2, "セルコピー");
    string2Copy = item(PopupMenu2, "コピー");
    Grid2Paste = item(PopupMenu2, "ペースト");
    PopupMenu3 = menu("PopupMenu3");
    Grid3Cut = item(PopupMenu3, "セル切り取り");
    Grid3Copy = item(PopupMenu3, "セルコピー");
    string3Copy = item(PopupMenu3, "コピー");
    Grid3Paste = item(PopupMenu3, "ペースト");
    PopupMenu4 = menu("PopupMenu4");
    string4Cut = item(PopupMenu4, "切り取り");
    String4Copy = item(PopupMenu4, "コピー");
    String4Paste = item(PopupMenu4, "貼り付け");
    PopupMenu5 = menu("PopupMenu5");
    Grid5Cut = item(PopupMenu5, "セル切り取り");
    Grid5Copy = item(PopupMenu5, "セルコピー");
    String5Copy = item(PopupMenu5, "コピー");
    Grid5Paste = item(PopupMenu5, "貼り付け");
}

void TForm1::CreateDialogs() {
    OpenDialog1 = LazyFileDialog(this, [this](QFileDialog* dialog) {
        dialog->setObjectName("OpenDialog1");
        dialog->setOption(QFileDialog::DontUseNativeDialog);
        dialog->setOption(QFileDialog::HideNameFilterDetails);
        dialog->setAcceptMode(QFileDialog::AcceptOpen);
        dialog->setFileMode(QFileDialog::ExistingFile);
        dialog->setDefaultSuffix("srt");
        dialog->setSizeGripEnabled(true);
        dialog->setNameFilters(
            dialogfilters::ToQtFilters(QString::fromStdString(filekinds::OpenFilterText())));
        dialog->setDirectory(InitialOpenFolder_);
    });
    SaveDialog1 = LazyFileDialog(this, [](QFileDialog* dialog) {
        dialog->setObjectName("SaveDialog1");
        dialog->setOption(QFileDialog::DontUseNativeDialog);
        dialog->setOption(QFileDialog::HideNameFilterDetails);
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setFileMode(QFileDialog::AnyFile);
        dialog->setDefaultSuffix("srt");
        dialog->setSizeGripEnabled(true);
        dialog->setNameFilters(
            dialogfilters::ToQtFilters(QString::fromStdString(filekinds::SaveFilterText())));
        dialogfilters::FollowChosenKind(dialog);
        dialogfilters::SelectSaveKind(dialog, filekinds::kFirstSavePosition);
    });
}

QString TForm1::OpenFolder() const {
    if (const QFileDialog* dialog = OpenDialog1.IfCreated()) {
        return dialog->directory().absolutePath();
    }
    return InitialOpenFolder_;
}

// The command table: every menu item, button and tool-bar button to its
// handler; context menus and grid events to theirs.
void TForm1::ConnectCommands() {
    connect(Newdata, &QAction::triggered, this, &TForm1::NewdataClick);
    connect(SpeedButton4, &QToolButton::clicked, this, &TForm1::SpeedButton4Click);
    connect(N10, &QAction::triggered, this, &TForm1::N10Click);
    connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm1::SpeedButton1Click);
    connect(N11, &QAction::triggered, this, &TForm1::N11Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TForm1::SpeedButton2Click);
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    // 名前をつけて保存 does what 保存 does.
    connect(SaveAs1, &QAction::triggered, this, &TForm1::Button1Click);
    connect(SpeedButton5, &QToolButton::clicked, this, &TForm1::SpeedButton5Click);
    connect(Writeout1, &QAction::triggered, this, &TForm1::Writeout1Click);
    connect(N23, &QAction::triggered, this, &TForm1::N23Click);
    connect(N18, &QAction::triggered, this, &TForm1::N18Click);
    connect(N19, &QAction::triggered, this, &TForm1::N19Click);
    connect(N20, &QAction::triggered, this, &TForm1::N20Click);
    connect(Ownerconfig, &QAction::triggered, this, &TForm1::OwnerconfigClick);
    connect(Button4, &QPushButton::clicked, this, &TForm1::Button4Click);
    connect(Customerlist, &QAction::triggered, this, &TForm1::CustomerlistClick);
    connect(Button5, &QPushButton::clicked, this, &TForm1::Button5Click);
    connect(ProductList, &QAction::triggered, this, &TForm1::ProductListClick);
    connect(Button6, &QPushButton::clicked, this, &TForm1::Button6Click);
    connect(NouhinprnA4, &QAction::triggered, this, &TForm1::NouhinprnA4Click);
    connect(Button7, &QPushButton::clicked, this, &TForm1::Button7Click);
    connect(SeikyuprnA4, &QAction::triggered, this, &TForm1::SeikyuprnA4Click);
    connect(Button8, &QPushButton::clicked, this, &TForm1::Button8Click);
    connect(NouhinhprnA4, &QAction::triggered, this, &TForm1::NouhinhprnA4Click);
    connect(AllprnA4, &QAction::triggered, this, &TForm1::AllprnA4Click);
    connect(Button9, &QPushButton::clicked, this, &TForm1::Button9Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &TForm1::SpeedButton3Click);
    connect(Customprn, &QAction::triggered, this, &TForm1::CustomprnClick);
    connect(Preview1, &QMenu::triggered, this, &TForm1::PreviewClick);
    connect(IssuePdf, &QAction::triggered, this, &TForm1::IssuePdfClick);
    connect(Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    connect(ComboBox1, &QComboBox::activated, this, &TForm1::ComboBox1Change);
    connect(ComboBox1->lineEdit(), &QLineEdit::textEdited, this, &TForm1::ComboBox1Change);
    connect(N24, &QAction::triggered, this, &TForm1::N24Click);
    connect(HelpABoutMenu, &QAction::triggered, this, &TForm1::HelpABoutMenuClick);

    connect(GridCut, &QAction::triggered, this, &TForm1::GridCutClick);
    connect(GridCopy, &QAction::triggered, this, &TForm1::GridCopyClick);
    connect(stringCopy, &QAction::triggered, this, &TForm1::stringCopyClick);
    connect(GridPaste, &QAction::triggered, this, &TForm1::GridPasteClick);
    connect(Grid2Cut, &QAction::triggered, this, &TForm1::Grid2CutClick);
    connect(Grid2Copy, &QAction::triggered, this, &TForm1::Grid2CopyClick);
    connect(string2Copy, &QAction::triggered, this, &TForm1::string2CopyClick);
    connect(Grid2Paste, &QAction::triggered, this, &TForm1::Grid2PasteClick);
    connect(Grid3Cut, &QAction::triggered, this, &TForm1::Grid3CutClick);
    connect(Grid3Copy, &QAction::triggered, this, &TForm1::Grid3CopyClick);
    connect(string3Copy, &QAction::triggered, this, &TForm1::string3CopyClick);
    connect(Grid3Paste, &QAction::triggered, this, &TForm1::Grid3PasteClick);
    connect(Grid5Cut, &QAction::triggered, this, &TForm1::Grid5CutClick);
    connect(Grid5Copy, &QAction::triggered, this, &TForm1::Grid5CopyClick);
    connect(String5Copy, &QAction::triggered, this, &TForm1::String5CopyClick);
    connect(Grid5Paste, &QAction::triggered, this, &TForm1::Grid5PasteClick);
    connect(string4Cut, &QAction::triggered, this, &TForm1::string4CutClick);
    connect(String4Copy, &QAction::triggered, this, &TForm1::String4CopyClick);
    connect(String4Paste, &QAction::triggered, this, &TForm1::String4PasteClick);

    connect(StringGrid1, &TStringGrid::Click, this, &TForm1::StringGrid1Click);
    connect(StringGrid1, &TStringGrid::MouseDown, this, &TForm1::StringGrid1MouseDown);
    connect(StringGrid1, &TStringGrid::EditorMenu, this, &TForm1::StringGrid1EditorMenu);
    connect(StringGrid1, &TStringGrid::MouseMove, this, &TForm1::StringGrid1MouseMove);
    connect(StringGrid1, &TStringGrid::MouseUp, this, &TForm1::StringGrid1MouseUp);
    connect(StringGrid1, &TStringGrid::KeyUp, this, &TForm1::StringGrid1KeyUp);
    connect(StringGrid1, &TStringGrid::Wheel, this, &TForm1::StringGrid1MouseWheel);
    connect(Edit17, &QLineEdit::textEdited, this, &TForm1::Edit17Change);
    for (int number = 1; number <= field::Last; ++number) {
        if (QLineEdit* edit = EditField(number); edit && !edit->isReadOnly()) {
            WatchLostCharacters(edit);
        }
    }
    connect(StringGrid1, &TStringGrid::EditorOpened, this, &TForm1::WatchLostCharacters);

    Edit18->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Edit18, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        PopupComponent = Edit18;
        PopupMenu4->popup(Edit18->mapToGlobal(pos));
    });
}

void TForm1::SetTabOrder() {
    const QList<QWidget*> order = {Edit2,       Edit18,  Edit1,   Edit16,  Edit3,    Edit4,
                                   Edit5,       Edit6,   Edit7,   Edit8,   Edit9,    Edit19,
                                   StringGrid1, Button4, Button5, Button6, Button7,  Button8,
                                   Button9,     Button1, Button2, Button3, ComboBox1};
    for (int i = 0; i + 1 < order.size(); ++i) {
        setTabOrder(order[i], order[i + 1]);
    }
}

// ---- start-up ----

void TForm1::FormCreate(const std::vector<std::string>& arguments) {
    ReadSettings();
    setWindowTitle(Q("ノートリオ mini"));
    ApplyStartupTexts();
    // The rates start as the last close left them.
    SetField(field::TaxRate, numtext::IntToStr(KeptRates_.standard));
    SetField(field::ReducedRate, numtext::IntToStr(KeptRates_.reduced));
    SetupGrid();
    LoadMaster();
    StringGrid1->SetCurrentCell(0, 0);
    ComboBox1->clear();
    ComboBox1->addItem(FromCp932(wintext::AmountTitle(0)));
    ComboBox1->addItem(FromCp932(wintext::AmountTitle(1)));
    ComboBox1->setToolTip(Q("税抜き税込みを選びます"));
    TaxMode_ = 0;
    OpenCommandLineNote(arguments);
    ShowTaxMode();
    Edited = 0;
    Dragging = 0;
    Notes.MarkSaved();
}

void TForm1::ReadSettings() {
    const appsettings::WindowSettings settings = appsettings::Read(SettingsPath(), ExecutableDir());
    KeptRates_ = {settings.rate, settings.reducedRate};
    PlaceFrameAt(QPoint(settings.left, settings.top));
    InitialOpenFolder_ = settings.folder.isEmpty() ? QDir::currentPath() : settings.folder;
    if (QFileDialog* dialog = OpenDialog1.IfCreated()) {
        dialog->setDirectory(InitialOpenFolder_);
    }
}

// The settings keep the frame's top-left corner: the window comes back
// where it was closed, or onto the primary screen when its title bar would
// be on none.
void TForm1::PlaceFrameAt(const QPoint& wanted) {
    QList<QRect> screens;
    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        screens << primary->availableGeometry();
    }
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen != QGuiApplication::primaryScreen()) {
            screens << screen->availableGeometry();
        }
    }
    frameCorner_ = placement::KeepTitleBarOnScreen(wanted, frameGeometry().size(), screens);
    move(*frameCorner_);
}

// Until the window manager has framed the shown window its frame is not
// known, and the window comes up with its client area at the point. Once
// the frame is known (by the time the window is first activated), the
// frame's corner goes to the point, once.
void TForm1::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !frameCorner_ || !isActiveWindow()) {
        return;
    }
    const QPoint corner = *frameCorner_;
    frameCorner_.reset();
    if (frameGeometry().topLeft() != corner) {
        move(corner);
    }
}

void TForm1::ApplyStartupTexts() {
    wintext::ApplyStartupFields(*this, wintext::TodayText());
    Edit2->setToolTip(Q("お客様の名前"));
    Edit18->setToolTip(Q("添え字を選択"));
    Edit1->setToolTip(Q("日付"));
    Edit10->setToolTip(Q("税込み金額"));
    Edit11->setToolTip(Q("税率"));
    Edit20->setToolTip(Q("品名が※で始まる行の税率"));
    Edit19->setToolTip(Q("作成者の登録番号"));
    Edit12->setToolTip(Q("消費税"));
    Edit17->setToolTip(Q("表のカーソル位置のデータ"));
    SpeedButton4->setToolTip(Q("新規作成"));
    SpeedButton1->setToolTip(Q("ファイルを開く"));
    SpeedButton2->setToolTip(Q("上書き保存する"));
    SpeedButton5->setToolTip(Q("名前を付けて保存"));
    SpeedButton3->setToolTip(Q("すべて印刷A4"));
}

void TForm1::SetupGrid() {
    QFont gridFont = qttext::ScreenFont(13);
    StringGrid1->setFont(gridFont);
    StringGrid1->horizontalHeader()->setFont(gridFont);
    StringGrid1->verticalHeader()->setFont(gridFont);
    StringGrid1->SetColCount(col::Count);
    StringGrid1->SetRowCount(21);
    StringGrid1->SetDefaultRowHeight(20);
    static const int kWidths[col::Count] = {64, 86, 60, 44, 36, 70, 93, 51};
    for (int c = 0; c < col::Count; ++c) {
        StringGrid1->SetColWidth(c, kWidths[c]);
    }
    wintext::WriteGridHeadings(*this);
}

// Registers, word lists, the note's issuer and customer from the master
// file, then the chosen issuer and customer shown and the word menus built.
void TForm1::LoadMaster() {
    masterfile::LoadMasterAtStartup(Data, *this);
    registers::ApplySelectedIssuer(*this, Data);
    registers::ApplySelectedCustomer(*this, Data);
    RebuildWordMenus();
}

// ---- close ----

void TForm1::closeEvent(QCloseEvent* event) {
    if (closing_) {
        event->accept();
        return;
    }
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    closing_ = true;
    FormClose();
    event->accept();
}

// The settings file, then the master files. A settings file that cannot be
// written is reported, and the registers are still saved: losing the window
// position must not lose the registers.
void TForm1::FormClose() {
    if (!WriteSettings()) {
        const std::string message =
            qttext::ToCp932(QDir::toNativeSeparators(SettingsPath())) + S(" に書き込めません");
        QMessageBox::critical(this, Q("ノートリオ"), FromCp932(message));
    }
    masterfile::SaveMasterFiles(Data, *this);
}

bool TForm1::WriteSettings() {
    appsettings::WindowSettings settings;
    settings.folder = appsettings::FolderToRemember(CurrentFile, QDir::currentPath());
    // The frame's corner, the point start-up places the frame at.
    settings.top = frameGeometry().top();
    settings.left = frameGeometry().left();
    const calc::LineRates rates = calc::RatesFromWindow(*this);
    settings.rate = rates.standard;
    settings.reducedRate = rates.reduced;
    return appsettings::Write(SettingsPath(), settings);
}

// ---- resizing ----

void TForm1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (centralWidget()) {
        LayoutForWidth(centralWidget()->width(), centralWidget()->height());
    }
}

// The issuer fields widen and the grid grows in height with the window; the
// totals stay under the grid.
void TForm1::LayoutForWidth(int clientWidth, int clientHeight) {
    const int dw = std::max(clientWidth - kClientWidth, 0);
    const int dh = std::max(clientHeight - kClientHeight, 0);
    Client->setGeometry(0, 0, kClientWidth + dw, kClientHeight + dh);
    Edit4->resize(193 + dw, kFieldHeight);
    Edit5->resize(193 + dw, kFieldHeight);
    for (QLineEdit* e : {Edit6, Edit7, Edit8, Edit9, Edit19}) {
        e->resize(121 + dw, e->height());
    }
    StringGrid1->resize(535, 321 + dh);
    Edit13->move(208, 512 + dh);
    Edit14->move(368, 512 + dh);
    Label13->move(Label13->x(), Edit13->y() + (kFieldHeight - Label13->height()) / 2);
    Label14->move(Label14->x(), Edit14->y() + (kFieldHeight - Label14->height()) / 2);
}

// ---- window texts ----

int TForm1::ColCount() const {
    return StringGrid1->ColCount();
}

int TForm1::RowCount() const {
    return StringGrid1->RowCount();
}

std::string TForm1::Cell(int col, int row) const {
    return ToCp932(StringGrid1->Cells(col, row));
}

void TForm1::SetCell(int col, int row, const std::string& text) {
    StringGrid1->SetCells(col, row, FromCp932(text));
}

std::string TForm1::Field(int number) const {
    const QLineEdit* e = EditField(number);
    return e ? ToCp932(e->text()) : std::string();
}

void TForm1::SetField(int number, const std::string& text) {
    if (QLineEdit* e = EditField(number)) {
        const QString shown = FromCp932(text);
        // A field that already shows the text from its start, untouched,
        // is left alone: laying the same text out again costs, and start-up
        // and every new note set most fields to what they hold.
        if (shown == e->text() && e->cursorPosition() == 0 && !e->hasSelectedText() &&
            !e->isModified()) {
            return;
        }
        e->setText(shown);
        e->setCursorPosition(0);
    }
}

std::string TForm1::Status() const {
    return status_;
}

void TForm1::SetStatus(const std::string& text) {
    status_ = text;
    if (auto* label = StatusBar1->findChild<QLabel*>("StatusText")) {
        // One line: a line break shows as a space.
        label->setText(FromCp932(text).replace('\n', ' '));
    }
}

void TForm1::SetRateBreakdown(const RateTotals& totals) {
    RateBreakdown_ = totals;
    Memo1->setPlainText(FromCp932(wintext::RateBreakdownText(totals)));
}

void TForm1::ShowMessage(const std::string& caption, const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, FromCp932(caption), FromCp932(text), QMessageBox::Ok,
                    this);
    box.exec();
}

void TForm1::ShowTaxMode() {
    if (TaxMode_ >= 0 && TaxMode_ < ComboBox1->count()) {
        ComboBox1->setCurrentIndex(TaxMode_);
        ComboBox1->setEditText(ComboBox1->itemText(TaxMode_));
    }
    ShowAmountTitle();
}

void TForm1::ShowAmountTitle() {
    if (TaxMode_ == 0 || TaxMode_ == 1) {
        SetCell(col::Amount, 0, wintext::AmountTitle(TaxMode_));
    }
}

// ---- recalculation and help ----

void TForm1::Button3Click() {
    calc::Recalculate(*this);
}

void TForm1::N24Click() {
    QDesktopServices::openUrl(QUrl::fromLocalFile(HelpFile()));
}

void TForm1::HelpABoutMenuClick() {
    AboutBox->exec();
}
