#pragma once

// The pictograms of the tools the generator draws into its toolbox, flyouts and screens. The
// program's chrome draws the few it shows itself (workspace::chromepaint::paintToolIcon); the
// rest exist only in the generated pictures, so they are drawn here.

#include <QPainter>
#include <QRect>
#include <QString>

namespace samplegen {

// A simple recognisable pictogram of a tool or button, drawn into a square.
void paintToolIcon(QPainter& p, const QRect& box, const QString& key);

} // namespace samplegen
