#include "frmabout.h"

#include "caption.h"
#include "assets/skin.h"
#include "platform/qt/twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace tarvelo {
namespace {

// Places and sizes of the about box, in twips.
namespace place {
constexpr int clientWidth = 8820;
constexpr int clientHeight = 5445;
constexpr QRect logo(120, 120, 840, 765);
constexpr QRect title(2400, 240, 3795, 360);
constexpr int lineLeft = 1920;
constexpr int lineRight = 7484;
constexpr int lineTop = 720;
constexpr QRect introduction(720, 960, 7575, 3735);
constexpr QRect ok(7680, 4920, 900, 345);
} // namespace place

const QColor background(192, 255, 192);
const QColor lineColor(128, 128, 128);

const QString productTitle = QStringLiteral("Tarvelo");

const QString introductionText = QStringLiteral(
    "Tarvelo 是一款面向进出口企业、报关从业人员和外贸工作者的海关数据实时查询工具。"
    "只需输入货品名称、税则号列或关键词，选择相应的分类，即可随时查到最新的海关资料，"
    "省去翻阅书册、逐页检索的麻烦。\r\n"
    "\r\n"
    "法规政策：按法规名称或关键词检索海关及相关部门发布的法律、法规、公告和政策文件，"
    "列出标题与更新日期，点击即可阅读全文。\r\n"
    "\r\n"
    "商品编码：按货品名称或编码查询商品的海关编码、商品名称、计量单位和监管条件，"
    "并可进一步查看申报要素等详细说明。\r\n"
    "\r\n"
    "海关税则：按货品名称或税则号列查询进口最惠国税率、普通税率、暂定税率、"
    "出口税率、增值税率和消费税率等各项税率。\r\n"
    "\r\n"
    "出口退税：按货品名称或商品编码查询出口商品的退税率及其执行情况，"
    "帮助企业准确核算出口成本。\r\n"
    "\r\n"
    "政策快讯：软件在后台定时检查重要的政策动态，一有更新便在屏幕右下角弹出提示，"
    "让您第一时间掌握政策变化。\r\n"
    "\r\n"
    "本软件版权归 Veloria 所有，未经许可不得复制、修改或用于商业用途。\r\n"
    "客服电话：010-5550-0123　010-5550-0124（工作日 9:00—17:30）\r\n"
    "客服传真：010-5550-0125");

QRect pixels(const QRect& twips)
{
    using namespace platform;
    return {pixelsX(twips.left()), pixelsY(twips.top()), pixelsX(twips.width()), pixelsY(twips.height())};
}

} // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent)
{
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);
    setFixedSize(platform::pixelsX(place::clientWidth), platform::pixelsY(place::clientHeight));
    setWindowIcon(QIcon(skin::icon16));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, background);
    setPalette(colours);
    setAutoFillBackground(true);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(skin::picture(QString::fromLatin1(skin::aboutLogo)));
    Image1->setScaledContents(true);
    Image1->setGeometry(pixels(place::logo));

    lblTitle = new QLabel(QStringLiteral("“Tarvelo”软件介绍") + QStringLiteral("\r\n\r\n"), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setFont(Caption::uiFont(14.25));
    lblTitle->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblTitle->setGeometry(pixels(place::title));

    Line1 = new QWidget(this);
    QPalette grey = Line1->palette();
    grey.setColor(QPalette::Window, lineColor);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setPalette(grey);
    Line1->setAutoFillBackground(true);
    Line1->setGeometry(platform::pixelsX(place::lineLeft), platform::pixelsY(place::lineTop),
                       platform::pixelsX(place::lineRight - place::lineLeft) + 1, 1);

    Text1 = new QPlainTextEdit(introductionText, this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    Text1->setFont(Caption::uiFont(10.5));
    Text1->setGeometry(pixels(place::introduction));

    cmdOK = new QPushButton(QStringLiteral("确定"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdOK->setGeometry(pixels(place::ok));
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    cmdOK->setFocus();
}

void frmAbout::showEvent(QShowEvent* event)
{
    setWindowTitle(QStringLiteral("关于 ") + productTitle);
    QDialog::showEvent(event);
}

void frmAbout::keyPressEvent(QKeyEvent* event)
{
    // Escape presses the OK button, as Enter does.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdOK->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace tarvelo
