#include "games.h"

#include "pack_fn.h"

namespace app {

void RegisterGames() {
  // Games register their window factories here as they are built.
}

}  // namespace app
