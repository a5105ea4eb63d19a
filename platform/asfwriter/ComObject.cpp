#include "platform/asfwriter/ComObject.h"

namespace asfwriter {

std::atomic<LONG>& ServerReferences() {
  static std::atomic<LONG> count{0};
  return count;
}

}  // namespace asfwriter
