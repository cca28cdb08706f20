# One million calls of a small function that updates two values passed by reference (a
# two-element list stands for the two ByRef variables).
def bump(ref):
    ref[0] = ref[0] + 1
    ref[1] = ref[1] + ref[0]


def run():
    ref = [0, 0]
    for i in range(1, 1000001):
        bump(ref)
    return ref[1]
