// The kestro library gathers the Qt-free layers; each layer is a library of its own.
namespace kestro {}
