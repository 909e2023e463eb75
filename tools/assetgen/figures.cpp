#include "figures.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QtMath>

#include <functional>
#include <stdexcept>
#include <utility>

namespace {

const QColor kTeal(0x0f, 0x76, 0x6e);
const QColor kSlate(0x33, 0x41, 0x55);
const QColor kLight(0xf1, 0xf5, 0xf9);

// A canvas with the figures' common look: white, antialiased, the CJK font, slate pen.
class Canvas {
public:
    Canvas(int width, int height)
        : image_(width, height, QImage::Format_ARGB32_Premultiplied)
    {
        image_.fill(Qt::white);
        p_.begin(&image_);
        p_.setRenderHint(QPainter::Antialiasing);
        p_.setRenderHint(QPainter::TextAntialiasing);
        setFont(12);
        p_.setPen(QPen(kSlate, 1.5));
    }

    QPainter& p() { return p_; }

    void setFont(int pixels, bool bold = false)
    {
        QFont font(QStringLiteral("Noto Sans CJK SC"));
        font.setPixelSize(pixels);
        font.setBold(bold);
        p_.setFont(font);
    }

    // Text centred on `at`.
    void text(QPointF at, const QString& s, const QColor& color = kSlate)
    {
        p_.save();
        p_.setPen(color);
        const QRectF r(at.x() - 80, at.y() - 20, 160, 40);
        p_.drawText(r, Qt::AlignCenter, s);
        p_.restore();
    }

    // A rounded box with a centred label; `accent` fills it teal with white text.
    void box(const QRectF& r, const QString& label, bool accent = false)
    {
        p_.save();
        p_.setPen(QPen(accent ? kTeal : kSlate, 1.5));
        p_.setBrush(accent ? kTeal : kLight);
        p_.drawRoundedRect(r, 4, 4);
        p_.restore();
        text(r.center(), label, accent ? Qt::white : kSlate);
    }

    void ellipse(QPointF c, qreal rx, qreal ry, const QString& label, bool accent = false)
    {
        p_.save();
        p_.setPen(QPen(accent ? kTeal : kSlate, 1.5));
        p_.setBrush(accent ? kTeal : kLight);
        p_.drawEllipse(c, rx, ry);
        p_.restore();
        text(c, label, accent ? Qt::white : kSlate);
    }

    void line(QPointF a, QPointF b, const QColor& color = kSlate, qreal width = 1.5,
              Qt::PenStyle style = Qt::SolidLine)
    {
        p_.save();
        p_.setPen(QPen(color, width, style, Qt::RoundCap));
        p_.drawLine(a, b);
        p_.restore();
    }

    // An arrow from a to b with its head at b.
    void arrow(QPointF a, QPointF b, const QColor& color = kSlate, Qt::PenStyle style = Qt::SolidLine)
    {
        line(a, b, color, 1.5, style);
        arrowHead(b, qAtan2(b.y() - a.y(), b.x() - a.x()), color);
    }

    void arrowHead(QPointF tip, qreal angle, const QColor& color = kSlate)
    {
        const qreal len = 8;
        const qreal spread = 0.45;
        QPolygonF head;
        head << tip << tip - QPointF(len * qCos(angle - spread), len * qSin(angle - spread))
             << tip - QPointF(len * qCos(angle + spread), len * qSin(angle + spread));
        p_.save();
        p_.setPen(Qt::NoPen);
        p_.setBrush(color);
        p_.drawPolygon(head);
        p_.restore();
    }

    QImage finish()
    {
        p_.end();
        return image_;
    }

private:
    QImage image_;
    QPainter p_;
};

// A small workstation: a screen with a stand, labelled below.
void host(Canvas& c, QPointF centre, const QString& label)
{
    QPainter& p = c.p();
    p.save();
    p.setPen(QPen(kSlate, 1.5));
    p.setBrush(kLight);
    p.drawRoundedRect(QRectF(centre.x() - 13, centre.y() - 11, 26, 17), 2, 2);
    p.drawLine(QPointF(centre.x(), centre.y() + 6), QPointF(centre.x(), centre.y() + 10));
    p.drawLine(QPointF(centre.x() - 7, centre.y() + 10), QPointF(centre.x() + 7, centre.y() + 10));
    p.restore();
    c.setFont(11);
    c.text(QPointF(centre.x(), centre.y() + 20), label);
    c.setFont(12);
}

QImage starTopology()
{
    Canvas c(300, 160);
    const QPointF hub(150, 78);
    const QString names[] = {QStringLiteral("PC1"), QStringLiteral("PC2"), QStringLiteral("PC3"),
                             QStringLiteral("PC4"), QStringLiteral("PC5")};
    for (int i = 0; i < 5; ++i) {
        const qreal angle = qDegreesToRadians(-90.0 + 72.0 * i);
        const QPointF at(hub.x() + 112 * qCos(angle), hub.y() + 52 * qSin(angle) - 4);
        c.line(hub, at, kTeal, 2);
        host(c, at, names[i]);
    }
    c.box(QRectF(hub.x() - 30, hub.y() - 13, 60, 26), QStringLiteral("交换机"), true);
    return c.finish();
}

QImage busTopology()
{
    Canvas c(300, 160);
    const qreal y = 82;
    c.line(QPointF(22, y), QPointF(278, y), kTeal, 4);
    for (qreal x : {18.0, 282.0}) {
        c.p().save();
        c.p().setPen(Qt::NoPen);
        c.p().setBrush(kSlate);
        c.p().drawRect(QRectF(x - 4, y - 8, 8, 16));
        c.p().restore();
    }
    for (int i = 0; i < 5; ++i) {
        const qreal x = 50 + 50 * i;
        const bool above = i % 2 == 0;
        const QPointF at(x, above ? 32 : 120);
        c.line(QPointF(x, y), QPointF(x, above ? at.y() + 10 : at.y() - 11));
        host(c, at, QStringLiteral("PC%1").arg(i + 1));
    }
    c.setFont(11);
    c.text(QPointF(248, 100), QStringLiteral("终结器"), kSlate);
    return c.finish();
}

QImage ringTopology()
{
    Canvas c(300, 160);
    const QPointF centre(150, 80);
    const qreal rx = 100;
    const qreal ry = 55;
    c.p().save();
    c.p().setPen(QPen(kTeal, 2.5));
    c.p().setBrush(Qt::NoBrush);
    c.p().drawEllipse(centre, rx, ry);
    c.p().restore();
    // Arrowheads between the nodes show the one direction data travels.
    for (int i = 0; i < 6; ++i) {
        const qreal mid = qDegreesToRadians(-90.0 + 60.0 * i + 30.0);
        const QPointF at(centre.x() + rx * qCos(mid), centre.y() + ry * qSin(mid));
        const qreal tangent = qAtan2(ry * qCos(mid), -rx * qSin(mid));
        c.arrowHead(at, tangent, kTeal);
    }
    for (int i = 0; i < 6; ++i) {
        const qreal angle = qDegreesToRadians(-90.0 + 60.0 * i);
        const QPointF at(centre.x() + rx * qCos(angle), centre.y() + ry * qSin(angle));
        c.box(QRectF(at.x() - 17, at.y() - 10, 34, 20), QStringLiteral("%1").arg(QChar('A' + i)));
    }
    return c.finish();
}

QImage binaryTree()
{
    Canvas c(300, 160);
    struct Node {
        QChar name;
        QPointF at;
    };
    const Node nodes[] = {{'A', {150, 20}}, {'B', {90, 60}},  {'C', {210, 60}}, {'D', {55, 100}},
                          {'E', {125, 100}}, {'F', {245, 100}}, {'G', {105, 140}}};
    const std::pair<int, int> edges[] = {{0, 1}, {0, 2}, {1, 3}, {1, 4}, {2, 5}, {4, 6}};
    for (const auto& [from, to] : edges)
        c.line(nodes[from].at, nodes[to].at, kSlate, 1.5);
    c.setFont(13, true);
    for (const Node& n : nodes)
        c.ellipse(n.at, 14, 14, QString(n.name), n.name == QLatin1Char('A'));
    return c.finish();
}

QImage erDiagram()
{
    Canvas c(320, 170);
    const QRectF student(24, 72, 64, 28);
    const QRectF course(232, 72, 64, 28);
    const QPointF rel(160, 86);
    // Attributes first, so the lines run under the shapes.
    struct Attribute {
        QPointF at;
        QString name;
        QPointF owner;
        bool key;
    };
    const Attribute attributes[] = {
        {{42, 26}, QStringLiteral("学号"), student.center(), true},
        {{58, 144}, QStringLiteral("姓名"), student.center(), false},
        {{270, 26}, QStringLiteral("课程号"), course.center(), true},
        {{262, 144}, QStringLiteral("课程名"), course.center(), false},
        {{160, 30}, QStringLiteral("成绩"), rel, false},
    };
    for (const Attribute& a : attributes)
        c.line(a.at, a.owner);
    c.line(student.center(), rel);
    c.line(course.center(), rel);
    for (const Attribute& a : attributes) {
        c.p().save();
        c.p().setPen(QPen(kSlate, 1.2));
        c.p().setBrush(Qt::white);
        c.p().drawEllipse(a.at, 30, 13);
        c.p().restore();
        c.text(a.at, a.name);
        if (a.key) {
            // Key attributes are underlined.
            const qreal half = c.p().fontMetrics().horizontalAdvance(a.name) / 2.0;
            c.line(a.at + QPointF(-half, 8), a.at + QPointF(half, 8), kSlate, 1.3);
        }
    }
    c.setFont(12, true);
    c.box(student, QStringLiteral("学生"), true);
    c.box(course, QStringLiteral("课程"), true);
    QPolygonF diamond;
    diamond << rel + QPointF(0, -20) << rel + QPointF(36, 0) << rel + QPointF(0, 20) << rel + QPointF(-36, 0);
    c.p().save();
    c.p().setPen(QPen(kTeal, 1.5));
    c.p().setBrush(kLight);
    c.p().drawPolygon(diamond);
    c.p().restore();
    c.text(rel, QStringLiteral("选修"), kTeal);
    c.setFont(12);
    c.text(QPointF(student.right() + 16, 76), QStringLiteral("m"));
    c.text(QPointF(course.left() - 16, 76), QStringLiteral("n"));
    return c.finish();
}

// An AND gate whose inputs enter on the left of `r`.
QPainterPath andGate(const QRectF& r)
{
    QPainterPath path;
    path.moveTo(r.topLeft());
    path.lineTo(r.center().x(), r.top());
    path.arcTo(QRectF(r.center().x() - r.width() / 2, r.top(), r.width(), r.height()), 90, -180);
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    return path;
}

QPainterPath orGate(const QRectF& r)
{
    QPainterPath path;
    const qreal h = r.height();
    path.moveTo(r.topLeft());
    path.quadTo(QPointF(r.left() + r.width() * 0.6, r.top()), QPointF(r.right(), r.center().y()));
    path.quadTo(QPointF(r.left() + r.width() * 0.6, r.bottom()), r.bottomLeft());
    path.quadTo(QPointF(r.left() + h * 0.3, r.center().y()), r.topLeft());
    return path;
}

QImage logicCircuit()
{
    Canvas c(300, 160);
    QPainter& p = c.p();
    c.setFont(13, true);
    // Inputs.
    const qreal ya = 36, yb = 64, yc = 118;
    c.text(QPointF(18, ya), QStringLiteral("A"));
    c.text(QPointF(18, yb), QStringLiteral("B"));
    c.text(QPointF(18, yc), QStringLiteral("C"));
    const QRectF andBox(100, 28, 50, 44);
    c.line(QPointF(30, ya), QPointF(andBox.left(), ya));
    c.line(QPointF(30, yb), QPointF(andBox.left(), yb));
    // NOT gate: triangle and bubble.
    QPolygonF triangle;
    triangle << QPointF(100, yc - 16) << QPointF(132, yc) << QPointF(100, yc + 16);
    c.line(QPointF(30, yc), QPointF(100, yc));
    p.save();
    p.setPen(QPen(kTeal, 2));
    p.setBrush(kLight);
    p.drawPath(andGate(andBox));
    p.drawPolygon(triangle);
    p.drawEllipse(QPointF(137, yc), 5, 5);
    p.restore();
    // OR gate joining both.
    const QRectF orBox(196, 56, 56, 48);
    const qreal in1 = orBox.top() + 12, in2 = orBox.bottom() - 12;
    c.line(QPointF(andBox.right(), andBox.center().y()), QPointF(176, andBox.center().y()));
    c.line(QPointF(176, andBox.center().y()), QPointF(176, in1));
    c.line(QPointF(176, in1), QPointF(orBox.left() + 6, in1));
    c.line(QPointF(142, yc), QPointF(176, yc));
    c.line(QPointF(176, yc), QPointF(176, in2));
    c.line(QPointF(176, in2), QPointF(orBox.left() + 6, in2));
    p.save();
    p.setPen(QPen(kTeal, 2));
    p.setBrush(kLight);
    p.drawPath(orGate(orBox));
    p.restore();
    c.line(QPointF(orBox.right(), orBox.center().y()), QPointF(280, orBox.center().y()));
    c.text(QPointF(290, orBox.center().y()), QStringLiteral("F"));
    c.setFont(10);
    c.text(andBox.center() + QPointF(-6, 0), QStringLiteral("&"), kTeal);
    c.text(orBox.center() + QPointF(4, 0), QStringLiteral("≥1"), kTeal);
    c.text(QPointF(113, yc), QStringLiteral("1"), kTeal);
    return c.finish();
}

QImage cpuMemoryIo()
{
    Canvas c(300, 160);
    const QRectF input(12, 60, 64, 30);
    const QRectF memory(118, 12, 64, 30);
    const QRectF output(224, 60, 64, 30);
    const QRectF alu(100, 110, 46, 30);
    const QRectF control(154, 110, 46, 30);
    // Data flows (solid) and control signals (dashed).
    c.arrow(QPointF(input.right(), input.top() + 6), QPointF(memory.left(), memory.center().y() + 4));
    c.arrow(QPointF(memory.right(), memory.center().y() + 4), QPointF(output.left(), output.top() + 6));
    c.arrow(QPointF(memory.center().x() - 20, memory.bottom()), QPointF(alu.center().x() - 9, alu.top()));
    c.arrow(QPointF(alu.center().x() + 9, alu.top()), QPointF(memory.center().x() - 2, memory.bottom()));
    c.arrow(QPointF(memory.center().x() + 14, memory.bottom()), QPointF(control.center().x(), control.top()));
    c.arrow(QPointF(control.left(), control.bottom() - 6), QPointF(alu.right(), alu.bottom() - 6), kTeal,
            Qt::DashLine);
    c.arrow(QPointF(control.right(), control.center().y()), QPointF(output.center().x(), output.bottom()),
            kTeal, Qt::DashLine);
    c.arrow(QPointF(control.left() + 4, control.bottom()), QPointF(input.center().x(), input.bottom()), kTeal,
            Qt::DashLine);
    c.p().save();
    c.p().setPen(QPen(kTeal, 1.2, Qt::DashLine));
    c.p().setBrush(Qt::NoBrush);
    c.p().drawRoundedRect(QRectF(alu.left() - 6, alu.top() - 6, control.right() - alu.left() + 12, 42), 5, 5);
    c.p().restore();
    c.box(input, QStringLiteral("输入设备"));
    c.box(memory, QStringLiteral("存储器"));
    c.box(output, QStringLiteral("输出设备"));
    c.box(alu, QStringLiteral("运算器"), true);
    c.box(control, QStringLiteral("控制器"), true);
    return c.finish();
}

QImage processStates()
{
    Canvas c(300, 160);
    const QPointF ready(62, 122);
    const QPointF running(150, 32);
    const QPointF blocked(238, 122);
    const qreal rx = 34, ry = 17;
    // Ready <-> running drawn as two offset arrows.
    c.arrow(QPointF(ready.x() + 2, ready.y() - ry), QPointF(running.x() - rx + 4, running.y() + 8));
    c.arrow(QPointF(running.x() - rx + 16, running.y() + ry), QPointF(ready.x() + 26, ready.y() - ry + 4));
    c.arrow(QPointF(running.x() + rx - 6, running.y() + 10), QPointF(blocked.x(), blocked.y() - ry));
    c.arrow(QPointF(blocked.x() - rx, blocked.y()), QPointF(ready.x() + rx, ready.y()));
    c.setFont(12);
    c.ellipse(ready, rx, ry, QStringLiteral("就绪"));
    c.ellipse(running, rx, ry, QStringLiteral("运行"), true);
    c.ellipse(blocked, rx, ry, QStringLiteral("阻塞"));
    c.setFont(13, true);
    c.text(QPointF(72, 66), QStringLiteral("①"), kTeal);
    c.text(QPointF(124, 88), QStringLiteral("②"), kTeal);
    c.text(QPointF(218, 70), QStringLiteral("③"), kTeal);
    c.text(QPointF(150, 134), QStringLiteral("④"), kTeal);
    return c.finish();
}

QImage undirectedGraph()
{
    Canvas c(300, 160);
    const QPointF v[] = {{50, 80}, {130, 30}, {130, 130}, {220, 30}, {220, 130}};
    const std::pair<int, int> edges[] = {{0, 1}, {0, 2}, {1, 2}, {1, 3}, {2, 4}, {3, 4}};
    for (const auto& [a, b] : edges)
        c.line(v[a], v[b], kSlate, 1.8);
    c.setFont(12, true);
    for (int i = 0; i < 5; ++i)
        c.ellipse(v[i], 16, 16, QStringLiteral("V%1").arg(i + 1), i == 0);
    return c.finish();
}

const std::pair<const char*, std::function<QImage()>> kFigures[] = {
    {"topology-star", starTopology},
    {"topology-bus", busTopology},
    {"topology-ring", ringTopology},
    {"binary-tree", binaryTree},
    {"er-diagram", erDiagram},
    {"logic-circuit", logicCircuit},
    {"cpu-memory-io", cpuMemoryIo},
    {"process-states", processStates},
    {"undirected-graph", undirectedGraph},
};

}  // namespace

QStringList figureNames()
{
    QStringList names;
    for (const auto& f : kFigures)
        names << QLatin1String(f.first);
    return names;
}

QImage drawFigure(const QString& name)
{
    for (const auto& f : kFigures) {
        if (name == QLatin1String(f.first))
            return f.second();
    }
    throw std::invalid_argument("no figure called " + name.toStdString());
}
