// A fixed playfield-sized widget that copies its image whole on every paint.
#include "BareClient.h"

#include "GameConstants.h"

#include <QPainter>

CBareClient::CBareClient(QWidget* pParent) : QWidget(pParent), m_image(nFieldWidth, nFieldHeight, QImage::Format_RGB32)
{
    // Black with a green border: a picture that no unpainted window shows,
    // so the probe can tell when it has reached the screen.
    m_image.fill(Qt::black);
    QPainter painter(&m_image);
    painter.setPen(Qt::green);
    painter.drawRect(m_image.rect().adjusted(0, 0, -1, -1));

    setFixedSize(m_image.size());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

void CBareClient::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_image);
}
