// The character an item belongs to, for the folders below the scene, which
// know VoICharacter only by name: they get it as the branch it is (and as the
// object it is, through IsObject).
#pragma once

class VoIBranch;
class VoIItem;

namespace Vo {

// The nearest branch above `item` that is a character; null when none.
// VoIItem::GetParentCharacter answers the same item typed as a character.
VoIBranch* ParentCharacterBranch(VoIItem* item);

}  // namespace Vo
