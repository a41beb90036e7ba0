// The companion factory: the companion of an item by its class id, from the
// item companions (extend) and the timeline companions (timebar).
#pragma once

class ItemGui;
class VoIItem;

// A new companion for `item` by its class id, count 0, serving the item; null
// for classes without one (and when memory runs out). The caller takes the
// first reference.
ItemGui* CreateExtensionFor(VoIItem* item);
