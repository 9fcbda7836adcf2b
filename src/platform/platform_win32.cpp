// The Win32 side of the platform layer.
#ifdef _WIN32
#endif  // _WIN32
