// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class Archivio;
class SeatingView;

// Shows a class of the table on the screen: its names in the name boxes, the
// seat list rebuilt from those names on every desk, and the stored desk
// positions. Used at start-up, on every tab change and after every store.
namespace ClassDisplay {

void showClass(SeatingView &view, const Archivio &archivio, int tab);

// Every desk's seat list built again from the names on screen; selections
// fall back to the blank item.
void rebuildSeatLists(SeatingView &view);

// Whether the screen shows the class of the table's block for tab exactly as
// showing it would: the same names and class name, and every desk where its
// stored position puts it. Anything else is a change not stored yet.
bool showsStoredClass(const SeatingView &view, const Archivio &archivio, int tab);

// Tabs whose class has a name show it; the others keep their number.
void setTabCaptions(SeatingView &view, const Archivio &archivio);

} // namespace ClassDisplay
