namespace kestro {}
