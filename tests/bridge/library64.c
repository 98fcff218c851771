/* A library for 64-bit Windows named as the maker's device library: what an owner may put in the
 * maker's folder by mistake. */
__declspec(dllexport) unsigned char link_state(void) { return 1; }
