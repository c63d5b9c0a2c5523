#include "platform/qt/qt_random.h"

namespace kestro {

// uniform_real_distribution<float> may round up to 1.0f; such a draw is taken again.
float QtRandom::Next() {
  for (;;) {
    const float value = uniform_(engine_);
    if (value < 1.0f)
      return value;
  }
}

}  // namespace kestro
