#include "platform/qt/aboutbox.h"

#include <QFont>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QPolygonF>
#include <QPushButton>
#include <QScreen>

// Three faces of 3 × 3 stickers meeting at the centre.
QPixmap ProgramPicture() {
  QPixmap picture(64, 64);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(Qt::black, 1.2));

  // The corner nearest the viewer and the three edges leaving it.
  const QPointF corner(32, 33);
  const QPointF upLeft(-26, -15), upRight(26, -15), down(0, 30);
  struct Face {
    QPointF U, V;
    QColor Colour;
  };
  const Face faces[] = {
    {upLeft, upRight, QColor(230, 30, 30)},   // top
    {upLeft, down, QColor(30, 60, 200)},      // left
    {upRight, down, QColor(240, 220, 20)},    // right
  };
  for (const Face& f : faces)
    for (int a = 0; a < 3; ++a)
      for (int b = 0; b < 3; ++b) {
        const QPointF p = corner + f.U * (a / 3.0) + f.V * (b / 3.0);
        QPolygonF sticker;
        sticker << p << p + f.U / 3.0 << p + (f.U + f.V) / 3.0 << p + f.V / 3.0;
        painter.setBrush(f.Colour);
        painter.drawPolygon(sticker);
      }
  return picture;
}

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint) {
  setObjectName("AboutBox");
  setWindowTitle("About");
  setFixedSize(298, 213);

  auto* panel = new QFrame(this);
  panel->setObjectName("Panel1");
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setLineWidth(2);
  panel->setGeometry(8, 8, 281, 161);

  auto* picture = new QLabel(panel);
  picture->setObjectName("ProgramIcon");
  picture->setPixmap(ProgramPicture());
  picture->setGeometry(8, 8, 65, 65);

  auto* productName = new QLabel("Tornelo", panel);
  productName->setObjectName("ProductName");
  QFont bold = productName->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.4);
  productName->setFont(bold);
  QPalette red = productName->palette();
  red.setColor(QPalette::WindowText, QColor(255, 0, 0));
  productName->setPalette(red);
  productName->setGeometry(88, 16, 180, 24);

  auto* version = new QLabel("2.0", panel);
  version->setObjectName("Version");
  QPalette green = version->palette();
  green.setColor(QPalette::WindowText, QColor(0, 128, 0));
  version->setPalette(green);
  version->setGeometry(88, 44, 180, 18);

  auto* comments = new QLabel("The 3\u00d73\u00d73 twisting-cube puzzle,\nturned by hand or solved layer by layer.", panel);
  comments->setObjectName("Comments");
  comments->setGeometry(8, 96, 265, 40);

  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("OKButton");
  ok->setGeometry(111, 178, 75, 25);
  ok->setDefault(true);
  ok->setAutoDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::ShowCentred() {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (parentWidget() && parentWidget()->screen()) screen = parentWidget()->screen();
  if (screen) {
    const QRect area = screen->geometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
  }
  exec();
}
