// The checks of the player's tests: each failure is printed and counted, and the runner exits
// with a failure when any was counted.

final class Check {
    static int failures;
    static int checks;

    static void that(boolean condition, String what) {
        ++checks;
        if (!condition) {
            ++failures;
            System.out.println("FAILED: " + what);
        }
    }

    static void equal(Object expected, Object actual, String what) {
        boolean same = expected == null ? actual == null : expected.equals(actual);
        that(same, what + ": expected <" + show(expected) + "> but was <" + show(actual) + ">");
    }

    static String show(Object value) {
        return value == null ? "null" : value.toString().replace("\r", "\\r").replace("\n", "\\n");
    }

    static int finish(String suite) {
        System.out.println(suite + ": " + checks + " checks, " + failures + " failed");
        return failures == 0 ? 0 : 1;
    }
}
