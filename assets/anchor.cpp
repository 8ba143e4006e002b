// The resources themselves come in through the object library that
// qt_add_resources attaches to vpk_assets; this file only gives the static
// library a source of its own.
namespace vpk_assets_anchor {
}
