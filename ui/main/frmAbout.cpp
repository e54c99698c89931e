#include "ui/main/frmAbout.h"

#include <QGridLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/Panel3D.h"
#include "platform/QtText.h"
#include "platform/ScreenFit.h"
#include "platform/Shell.h"
#include "runtime/Text.h"
#include "ui/main/ToolIcons.h"

namespace brindlemar {

namespace {

const QColor LinkHover(0, 0, 255);
const QColor LinkNormal(0, 0, 0);
const QColor LinkFollowed(0, 128, 0);

void SetLinkLook(QLabel* label, bool underline, const QColor& colour) {
    QFont font = label->font();
    font.setUnderline(underline);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

// A cantilever wall with its backfill, the program's picture.
QPixmap WallPicture(int size) {
    QPixmap pixmap = SharpPixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(2, 50, 60, 12));
    p.setBrush(QColor(160, 130, 90));
    p.drawPolygon(QPolygonF({{30, 12}, {62, 6}, {62, 50}, {30, 50}}));
    p.setBrush(QColor(204, 255, 255));
    p.drawRect(QRectF(2, 40, 18, 10));
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(51, 51, 153));
    p.drawPolygon(QPolygonF({{24, 6}, {30, 6}, {31, 46}, {52, 46}, {52, 54}, {10, 54}, {10, 46}, {22, 46}}));
    return pixmap;
}

}  // namespace

frmAbout::frmAbout(const Model& m, QWidget* parent) : QDialog(parent) {
    setObjectName("frmAbout");
    setWindowTitle("About Brindlemar");
    setMouseTracking(true);

    TitlePanel = new Panel3D(this, Panel3D::Raised);
    TitlePanel->setObjectName("Panel3D1");
    TitleCaption = new QLabel(" Brindlemar", TitlePanel);
    QFont titleFont(QString::fromStdString(m.TextFontName.empty() ? "Arial" : m.TextFontName));
    titleFont.setPointSize(18);
    titleFont.setBold(true);
    TitleCaption->setFont(titleFont);
    auto* titleLayout = new QVBoxLayout(TitlePanel);
    titleLayout->addWidget(TitleCaption);

    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->setPixmap(WallPicture(72));

    const char* const texts[5] = {"Analysis and design of", "cantilever retaining walls", "", MailAddress,
                                  WebAddress};
    for (int i = 0; i < 5; ++i) {
        lblAbout[i] = new QLabel(texts[i], this);
        lblAbout[i]->setObjectName(QString("lblAbout_%1").arg(i));
        lblAbout[i]->setMouseTracking(true);
        lblAbout[i]->installEventFilter(this);
    }
    lblAbout[2]->setText(ToQString("Version " + m.ProgramVersion + " dated " + m.VersionDate));
    for (int i : {3, 4}) lblAbout[i]->setToolTip(i == 3 ? "Write a mail" : "Open the web page");

    cmdAbout = new QPushButton("Close", this);
    cmdAbout->setObjectName("cmdAbout");
    cmdAbout->setDefault(true);
    connect(cmdAbout, &QPushButton::clicked, this, &frmAbout::cmdAbout_Click);

    auto* grid = new QGridLayout(this);
    grid->addWidget(TitlePanel, 0, 0, 1, 2);
    grid->addWidget(Image1, 1, 0, 5, 1, Qt::AlignTop);
    for (int i = 0; i < 5; ++i) grid->addWidget(lblAbout[i], 1 + i, 1);
    grid->addWidget(cmdAbout, 6, 1, Qt::AlignRight);
    grid->setHorizontalSpacing(18);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    // centred over the main window
    if (parent != nullptr) {
        adjustSize();
        const QRect owner = parent->frameGeometry();
        move(owner.left() + (owner.width() - width()) / 2, owner.top() + (owner.height() - height()) / 2);
    }
    FitOnScreen(this);
}

void frmAbout::lblAbout_MouseMove(int index) {
    if (index != 3 && index != 4) return;
    QFont font = lblAbout[index]->font();
    font.setBold(true);
    lblAbout[index]->setFont(font);
    SetLinkLook(lblAbout[index], true, LinkHover);
    setCursor(Qt::PointingHandCursor);
}

void frmAbout::Form_MouseMove() {
    for (int i : {3, 4}) SetLinkLook(lblAbout[i], false, LinkNormal);
    unsetCursor();
}

void frmAbout::lblAbout_Click(int index) {
    if (index == 4)
        ShellOpen(lblAbout[4]->text().toStdString());
    else if (index == 3)
        ShellOpen("mailto:" + lblAbout[3]->text().toStdString());
    else
        return;
    SetLinkLook(lblAbout[index], lblAbout[index]->font().underline(), LinkFollowed);
}

void frmAbout::cmdAbout_Click() { accept(); }

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
    for (int i = 0; i < 5; ++i) {
        if (watched != lblAbout[i]) continue;
        if (event->type() == QEvent::MouseMove) {
            lblAbout_MouseMove(i);
            return true;  // the box behind the label does not see the move
        } else if (event->type() == QEvent::MouseButtonRelease) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton && lblAbout[i]->rect().contains(mouse->position().toPoint()))
                lblAbout_Click(i);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmAbout::mouseMoveEvent(QMouseEvent* event) {
    Form_MouseMove();
    QDialog::mouseMoveEvent(event);
}

}  // namespace brindlemar
