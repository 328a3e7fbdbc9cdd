#pragma once

#include <QImage>
#include <QSize>

// What the heat-exchanger printout takes of the heat-exchanger window: the schematic drawing of its picture box
// and the size at which the window shows it, in twips. The window implements this and hands itself to the print
// dialog when it opens it.
class HeatExchangerSchematic {
public:
    virtual ~HeatExchangerSchematic() = default;
    virtual QImage schematicPicture() const = 0;
    // Width and height of the picture box in twips (1440 to the inch).
    virtual QSize schematicSizeTwips() const = 0;
};
