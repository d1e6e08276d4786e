// Keeps the builders library non-empty before any builder exists.
namespace tessalyn_builders_anchor { int anchor = 0; }
