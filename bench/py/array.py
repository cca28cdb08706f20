# A list of one million floats filled and summed.
def run():
    a = [0.0] * 1000000
    for i in range(1000000):
        a[i] = i * 0.5
    total = 0
    for i in range(1000000):
        total = total + a[i]
    return total
