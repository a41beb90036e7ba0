// The companion factory and the look-up of an item's companion.
#pragma once

class ItemGui;
class VoIItem;

// A new companion for `item` by its class id, count 0, serving the item; null
// for classes without one (and when memory runs out). The caller takes the
// first reference.
ItemGui* CreateExtensionFor(VoIItem* item);

// The companion held by the item's GuiItemExtend; null when the item has no
// extension or the extension holds none.
ItemGui* GetItemGui(VoIItem* item);
