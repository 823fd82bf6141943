#include "tools/DocumentSeam.h"

TDocumentSeam::TDocumentSeam(QObject* parent)
    : QObject(parent)
{
    // Made first, so every tool hearing of a new preview asks for the new neighbours.
    connect(this, &TDocumentSeam::PreviewLoaded, this, [this] { FNeighbours.reset(); });
}

const TItemNeighbours& TDocumentSeam::Neighbours() const
{
    if (!FNeighbours)
        FNeighbours.emplace(PreviewMap());
    return *FNeighbours;
}
