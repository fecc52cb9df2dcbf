#include "base/Handles_win.h"

namespace handles {

LiveCounts& Live() {
    static LiveCounts counts;
    return counts;
}

}  // namespace handles
