// A module without the registration entry points.
extern "C" int zvcomp_something_else() {
    return 1;
}
