#pragma once
// Qt paints with 256-bit vector instructions and leaves the upper halves of
// the vector registers in use. On processors that track that state every
// later 128-bit instruction then pays for it, and the arithmetic of the next
// analysis runs several times slower. Painting code calls this where its
// painter ends; it clears the upper halves where the processor has them and
// does nothing elsewhere.

namespace brindlemar {

void ClearUpperVectorRegisters();

}  // namespace brindlemar
