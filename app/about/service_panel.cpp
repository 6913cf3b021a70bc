#include "app/about/service_panel.h"

#include <QPainter>

using namespace Qt::StringLiterals;

namespace tavrin {

namespace {

const QColor white(255, 255, 255);
const QColor yellow(255, 255, 0);
const QColor lightGrey(236, 236, 236);
const QColor lineGrey(128, 128, 128);

constexpr int kPictureSide = 130;

// Writes with the top-left of the text at (x, y); lines break at CR LF.
void write(QPainter& painter, const QColor& colour, int x, int y, QString text) {
    painter.setPen(colour);
    text.replace(u"\r\n"_s, u"\n"_s);
    painter.drawText(QRect(x, y, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

void line(QPainter& painter, int y) {
    painter.setPen(QPen(lineGrey, 1));
    painter.drawLine(10, y, 310, y);
}

QFont sized(QFont font, int points, bool bold) {
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

} // namespace

QString serviceHeading() {
    return u"我的服务"_s;
}

QStringList serviceLines() {
    return {
        u"提供您稳定、快速的行情接口和开发文档。"_s,       u"为您量身定制开发的股票分析软件产品。"_s,
        u"各类股票数据类型的统计、分析处理。"_s,           u"各类股票数据类型输出到文本或数据库。"_s,
        u"为了您的梦想，我会努力为你实现！我一直都在！"_s, u"禾岫软件工作室出品！"_s,
    };
}

QString interfaceHeading() {
    return u"行情接口"_s;
}

QString contactText() {
    return u"禾岫软件工作室\r\n行情接口与定制开发\r\n邮箱：studio@tavrin.example"_s;
}

QString saying() {
    return u"以金相交，金耗则忘;以利相交，利尽则散;以势相交，势败则倾;以权相交，权失则弃;以情相交，情断则伤;"
           "唯以心相交，方能成其久远！"_s;
}

QRect contactPictureRect(QSize canvas) {
    const int cx = canvas.width() / 2;
    const int x = static_cast<int>(cx + (canvas.width() / 2.0 - kPictureSide) / 2.0);
    const int y = static_cast<int>((canvas.height() - kPictureSide) / 2.0);
    return {x, y, kPictureSide, kPictureSide};
}

void paintServicePanel(QPainter& painter, QSize canvas, const QFont& font, const QImage& contact) {
    painter.fillRect(QRect({}, canvas), QColor::fromRgb(servicePanelBackground));
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);

    painter.setFont(sized(font, 12, true));
    write(painter, white, 10, 20, serviceHeading());
    line(painter, 44);

    painter.setFont(sized(font, 10, true));
    const QStringList lines = serviceLines();
    for (int i = 0; i < lines.size(); ++i)
        write(painter, yellow, 10, 52 + 20 * i, u"☆ "_s + lines[i]);

    painter.setFont(sized(font, 12, true));
    write(painter, white, 10, 210, interfaceHeading());
    line(painter, 234);

    painter.setFont(sized(font, 10, true));
    const QRect picture = contactPictureRect(canvas);
    if (!contact.isNull())
        painter.drawImage(picture, contact);

    painter.setFont(sized(font, 10, false));
    write(painter, lightGrey, picture.left(), picture.top() + 140, contactText());
}

} // namespace tavrin
