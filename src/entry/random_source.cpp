#include "entry/random_source.h"

namespace quillhaven {

RandomSource randomSource;

}  // namespace quillhaven
