// Anchor of the resource library: the pictures and sounds are added to it by
// the build, this file only gives the library a translation unit of its own.
namespace tavro {
void resourcesLinked() {}
} // namespace tavro
