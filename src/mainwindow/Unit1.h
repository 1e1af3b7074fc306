// The main window: one note at a time, every command of the program, the
// line grid, and the settings file with the window position and last folder.
// The window implements NoteWindow, so the note logic reads and writes its
// texts (code page 932) without knowing the widgets.
#pragma once

#include "Basedata.h"
#include "Calculation.h"
#include "LazyDialog.h"
#include "NoteCommands.h"
#include "NoteWindow.h"
#include "StringGrid.h"

#include <QMainWindow>
#include <QStringList>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QComboBox;
class QFileDialog;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;
class QToolButton;
class QFrame;
class TAboutBox;
class TXBiff_custom;

class TForm1 : public QMainWindow, public NoteWindow {
    Q_OBJECT
public:
    // Builds the window and runs the start-up sequence; `arguments` are the
    // command-line arguments after the program name (the first one names a
    // note to open).
    explicit TForm1(const std::vector<std::string>& arguments = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    // Where the settings file lives: "Slipr.ini" next to the executable
    // unless a test has set another path.
    static QString SettingsPath();
    static void SetSettingsPath(const QString& path);
    // The help page opened by ヘルプ (next to the executable by default).
    static QString HelpFile();
    static void SetHelpFile(const QString& path);

    // NoteWindow.
    int ColCount() const override;
    int RowCount() const override;
    std::string Cell(int col, int row) const override;
    void SetCell(int col, int row, const std::string& text) override;
    std::string Field(int number) const override;
    void SetField(int number, const std::string& text) override;
    std::string Status() const override;
    void SetStatus(const std::string& text) override;
    int TaxMode() const override { return TaxMode_; }
    void SetTaxMode(int mode) override { TaxMode_ = mode; }
    RateTotals RateBreakdown() const override { return RateBreakdown_; }
    void SetRateBreakdown(const RateTotals& totals) override;
    void ShowMessage(const std::string& caption, const std::string& text) override;

    // The edit control Edit<number>, or nullptr.
    QLineEdit* EditField(int number) const;

    // The selector's text := its item at TaxMode; column 6 title follows.
    void ShowTaxMode();
    // Column 6 title from TaxMode.
    void ShowAmountTitle();

    // Word menus of the grid and the suffix field.
    enum class WordKind { Grid, Suffix };
    void RebuildWordMenus();
    static void TrimPopupMenu(QMenu* menu, int count);
    void AppendWordItems(QMenu* menu, WordKind kind, const wordlist& words);

    // The close check: may ask to save; true when the window may close.
    bool FormCloseQuery();
    // The close sequence: settings file, then the master files.
    void FormClose();

    // ---- state ----
    NoteContainers Data;
    // The note commands, asking through the window's dialogs.
    std::unique_ptr<commands::NoteDialogs> NoteDialogs_ = MakeNoteDialogs(*this);
    commands::NoteCommands Notes{*this, Data, *NoteDialogs_};
    std::string& CurrentFile =
        Notes.currentFile; // native path of the open note; empty for a new note
    std::string& SaveTarget = Notes.saveTarget; // native path last written
    int TaxMode_ = 0;
    RateTotals RateBreakdown_; // what Memo1 shows
    int Edited = 0;            // the grid's edit marker: a cell editor changed by the user
    int EditCol = 0;
    int EditRow = 0;
    int Dragging = 0;
    TGridRect DragRect;
    // The control for which PopupMenu4 was last opened.
    QWidget* PopupComponent = nullptr;

    // ---- controls ----
    QWidget* Client = nullptr; // the 792 x 560 client area
    QLineEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr, *Edit4 = nullptr,
              *Edit5 = nullptr, *Edit6 = nullptr, *Edit7 = nullptr, *Edit8 = nullptr,
              *Edit9 = nullptr, *Edit10 = nullptr, *Edit11 = nullptr, *Edit12 = nullptr,
              *Edit13 = nullptr, *Edit14 = nullptr, *Edit15 = nullptr, *Edit16 = nullptr,
              *Edit17 = nullptr, *Edit18 = nullptr;
    // 登録番号 of the issuer, beside the issuer block; 軽減税率 beside 税率.
    QLineEdit *Edit19 = nullptr, *Edit20 = nullptr;
    // The per-rate breakdown (read-only; empty without "※" lines).
    QPlainTextEdit* Memo1 = nullptr;
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr,
           *Label5 = nullptr, *Label6 = nullptr, *Label7 = nullptr, *Label8 = nullptr,
           *Label9 = nullptr, *Label10 = nullptr, *Label11 = nullptr, *Label12 = nullptr,
           *Label13 = nullptr, *Label14 = nullptr, *Label15 = nullptr, *Label16 = nullptr,
           *Label17 = nullptr, *Label18 = nullptr, *Label19 = nullptr;
    QPushButton *Button1 = nullptr, *Button2 = nullptr, *Button3 = nullptr, *Button4 = nullptr,
                *Button5 = nullptr, *Button6 = nullptr, *Button7 = nullptr, *Button8 = nullptr,
                *Button9 = nullptr;
    QGroupBox *GroupBox1 = nullptr, *GroupBox2 = nullptr, *GroupBox3 = nullptr;
    QFrame* Panel1 = nullptr; // the tool bar
    QToolButton *SpeedButton1 = nullptr, *SpeedButton2 = nullptr, *SpeedButton3 = nullptr,
                *SpeedButton4 = nullptr, *SpeedButton5 = nullptr;
    TStringGrid* StringGrid1 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QMenu *PopupMenu1 = nullptr, *PopupMenu2 = nullptr, *PopupMenu3 = nullptr,
          *PopupMenu4 = nullptr, *PopupMenu5 = nullptr;
    QMenuBar* MainMenu1 = nullptr;
    // Main menu items, named after their handlers.
    QMenu *File1 = nullptr, *Edit0 = nullptr, *Config1 = nullptr, *Print1 = nullptr,
          *Help1 = nullptr, *Writeout0 = nullptr;
    QAction *Newdata = nullptr, *N10 = nullptr, *N11 = nullptr, *SaveAs1 = nullptr,
            *Writeout1 = nullptr, *N23 = nullptr;
    QAction* IssuePdf = nullptr; // PDFで発行…
    QAction *N18 = nullptr, *N19 = nullptr, *N20 = nullptr;
    QAction *Ownerconfig = nullptr, *Customerlist = nullptr, *ProductList = nullptr;
    QAction *NouhinprnA4 = nullptr, *SeikyuprnA4 = nullptr, *NouhinhprnA4 = nullptr,
            *AllprnA4 = nullptr, *Customprn = nullptr;
    // 印刷プレビュー and its items, one per print kind.
    QMenu* Preview1 = nullptr;
    QAction *PreviewNouhin = nullptr, *PreviewSeikyu = nullptr, *PreviewNouhinh = nullptr,
            *PreviewAll = nullptr;
    QAction *N24 = nullptr, *HelpABoutMenu = nullptr;
    // Fixed clipboard items of the context menus.
    QAction *GridCut = nullptr, *GridCopy = nullptr, *stringCopy = nullptr, *GridPaste = nullptr;
    QAction *Grid2Cut = nullptr, *Grid2Copy = nullptr, *string2Copy = nullptr,
            *Grid2Paste = nullptr;
    QAction *Grid3Cut = nullptr, *Grid3Copy = nullptr, *string3Copy = nullptr,
            *Grid3Paste = nullptr;
    QAction *string4Cut = nullptr, *String4Copy = nullptr, *String4Paste = nullptr;
    QAction *Grid5Cut = nullptr, *Grid5Copy = nullptr, *String5Copy = nullptr,
            *Grid5Paste = nullptr;
    // Made on first use (LazyDialog); they convert to QFileDialog* and TAboutBox*.
    LazyFileDialog OpenDialog1;
    LazyFileDialog SaveDialog1;
    LazyDialog<TAboutBox> AboutBox;
    // The open dialog's folder, without making the dialog.
    QString OpenFolder() const;
    // The spreadsheet reader component the window holds (no command uses it).
    std::unique_ptr<TXBiff_custom> XBiff_custom1;

public slots:
    // File commands, tax mode, close check (Unit1Files.cpp).
    void NewdataClick();
    void SpeedButton4Click();
    void N10Click();
    void Button2Click();
    void SpeedButton1Click();
    void N11Click();
    void SpeedButton2Click();
    void Button1Click();
    void SpeedButton5Click();
    void N23Click();
    void ComboBox1Change();

    // Spreadsheet export (Unit1Spreadsheet.cpp).
    void Writeout1Click();

    // Editing commands (Unit1Editing.cpp).
    void N18Click();
    void N19Click();
    void N20Click();
    void GridCutClick();
    void GridCopyClick();
    void stringCopyClick();
    void GridPasteClick();
    void Grid2CutClick();
    void Grid2CopyClick();
    void string2CopyClick();
    void Grid2PasteClick();
    void Grid3CutClick();
    void Grid3CopyClick();
    void string3CopyClick();
    void Grid3PasteClick();
    void Grid5CutClick();
    void Grid5CopyClick();
    void String5CopyClick();
    void Grid5PasteClick();
    void string4CutClick();
    void String4CopyClick();
    void String4PasteClick();
    // Ctrl+C / Ctrl+X / Ctrl+V released in the grid with no cell being
    // edited; marks the event accepted when it acted.
    void GridKeyRelease(QKeyEvent* event);

    // Registers (Unit1Registers.cpp).
    void OwnerconfigClick();
    void Button4Click();
    void CustomerlistClick();
    void Button5Click();
    void ProductListClick();
    void Button6Click();

    // Printing (Unit1Print.cpp).
    void NouhinprnA4Click();
    void Button7Click();
    void SeikyuprnA4Click();
    void Button8Click();
    void NouhinhprnA4Click();
    void AllprnA4Click();
    void Button9Click();
    void SpeedButton3Click();
    void CustomprnClick();
    // The preview of a print kind; the kind is the item's data.
    void PreviewClick(QAction* item);
    // PDFで発行…: asks for the kind and the folder, then issues the note.
    void IssuePdfClick();

    // Recalculation and help (Unit1.cpp).
    void Button3Click();
    void N24Click();
    void HelpABoutMenuClick();

    // Line grid (Unit1Grid.cpp).
    void StringGrid1Click();
    void StringGrid1EditorMenu(const QPoint& globalPos);
    void StringGrid1MouseDown(Qt::MouseButton button);
    void StringGrid1MouseMove(QPoint gridPos);
    void StringGrid1MouseUp(Qt::MouseButton button);
    void StringGrid1KeyUp(QKeyEvent* event);
    void StringGrid1MouseWheel(int delta);
    void Edit17Change(const QString& text);

    // Word items of the context menus (Unit1Words.cpp).
    void WordItemClick(QAction* item);
    void SuffixItemClick(QAction* item);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void FormCreate(const std::vector<std::string>& arguments);
    void CreateControls();
    void CreateMenus();
    void CreateContextMenus();
    void CreateDialogs();
    void ConnectCommands();
    void SetTabOrder();
    void ApplyStartupTexts();
    void SetupGrid();
    void ReadSettings();
    QString InitialOpenFolder_; // the open dialog's folder until it is made
    void PlaceFrameAt(const QPoint& wanted);
    // Where the frame's corner goes once the frame is known (PlaceFrameAt).
    std::optional<QPoint> frameCorner_;

    // Characters code page 932 cannot hold (Unit1Characters.cpp): reported
    // as they are typed into `field`, and after a save for every field and
    // cell that holds one ("name「characters」" each).
    void WatchLostCharacters(QLineEdit* field);
    // The status line names `lost`, characters just typed or pasted that
    // the files cannot keep; nothing when it is empty.
    void WarnLostCharacters(const QString& lost);
    QStringList FieldsWithLostCharacters() const;
    void ReportLostCharacters();
    // The status line with a text that may hold any character.
    void ShowStatusText(const QString& text);
    bool WriteSettings();
    void LoadMaster();
    void OpenCommandLineNote(const std::vector<std::string>& arguments);
    void resizeEvent(QResizeEvent* event) override;
    void LayoutForWidth(int clientWidth, int clientHeight);

    static std::unique_ptr<commands::NoteDialogs> MakeNoteDialogs(TForm1& form);

    std::string status_;
    bool closing_ = false;
    // The rates read from the settings file, put into their fields at start-up.
    calc::LineRates KeptRates_;
};
