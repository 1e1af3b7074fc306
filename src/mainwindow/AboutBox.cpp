#include "AboutBox.h"

#include "QtText.h"
#include "ScreenFont.h"
#include "ToolIcons.h"

#include <QDesktopServices>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

void TClickLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (OnDblClick) {
        OnDblClick();
    }
    event->accept();
}

const char* const TAboutBox::WebAddress = "https://notorio.example/";

using qttext::Q;

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(Q("バージョン情報"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(298, 213);
    setModal(true);
    setFont(qttext::ScreenFont(12));

    Panel1 = new QFrame(this);
    Panel1->setGeometry(8, 8, 281, 161);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(1);
    Panel1->setMidLineWidth(1);

    ProgramIcon = new QLabel(Panel1);
    ProgramIcon->setGeometry(8, 8, 65, 57);
    ProgramIcon->setPixmap(toolicons::ProgramIcon(64));
    ProgramIcon->setScaledContents(true);

    auto label = [this](int left, int top, const QString& text) {
        auto* l = new QLabel(text, Panel1);
        l->move(left, top);
        l->adjustSize();
        return l;
    };
    ProductName = label(88, 16, Q("ノートリオ"));
    QFont big = ProductName->font();
    big.setPixelSize(16);
    big.setBold(true);
    ProductName->setFont(big);
    ProductName->adjustSize();
    Version = label(88, 40, Q("0.50"));
    Copyright = label(8, 80, Q("ノートリオ開発チーム"));

    Label2 = new TClickLabel(Panel1);
    Label2->move(8, 96);
    QPalette green = Label2->palette();
    green.setColor(QPalette::WindowText, QColor(0x00, 0xC0, 0x00));
    Label2->setPalette(green);
    Label2->setCursor(Qt::PointingHandCursor);
    Label2->setToolTip(Q("ダブルクリックでウェブページを開きます"));
    Label2->OnDblClick = [this] { Label2DblClick(); };

    Comments = label(8, 112, Q("コメント"));
    Label1 = new QLabel(Panel1);
    Label1->move(64, 112);

    OKButton = new QPushButton(Q("OK"), this);
    OKButton->setGeometry(111, 180, 75, 25);
    OKButton->setDefault(true);
    OKButton->setAutoDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    FormCreate();
}

void TAboutBox::FormCreate() {
    Label1->setText(Q("納品書を作るソフトです\nエクセルを操作するように使えます"));
    Label1->adjustSize();
    Label2->setText(QString::fromLatin1(WebAddress));
    Label2->adjustSize();
}

// Every showing is centred on the screen.
void TAboutBox::showEvent(QShowEvent* event) {
    if (const QScreen* display = screen()) {
        const QRect area = display->availableGeometry();
        move(area.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    }
    QDialog::showEvent(event);
}

void TAboutBox::Label2DblClick() {
    QDesktopServices::openUrl(QUrl(Label2->text()));
}
