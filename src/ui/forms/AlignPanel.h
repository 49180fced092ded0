#pragma once
// Edge alignment of child widgets, the way the designer's forms place their panels: children aligned
// to the top, bottom, left or right take the full length of the free edge in turn, a client child
// fills what is left, and unaligned children keep the geometry they are given. The two layouts of
// the main window move panels between parents and change their alignment; this keeps every parent
// arranged whenever it resizes or a child comes, goes, shows, hides or changes its size.
#include <QMargins>

class QWidget;

enum class TAlign { None, Top, Bottom, Left, Right, Client };

// Arranges the aligned children of parent from now on; margins keep space free inside its edges.
void AttachAligner(QWidget *parent, const QMargins &margins = QMargins());
// Sets a child's alignment and re-arranges its parent.
void SetAlign(QWidget *child, TAlign align);
TAlign GetAlign(const QWidget *child);
// Arranges the parent's aligned children now.
void ArrangeAligned(QWidget *parent);
// Moves the child into parent with the alignment, as the last of its edge (hidden children stay
// hidden); an extent of 0 or more is its size along that edge.
void ReparentAligned(QWidget *child, QWidget *parent, TAlign align, int extent = -1);
// The child's size along its aligned edge (height for top and bottom, width for left and right).
void SetAlignExtent(QWidget *child, int extent);
