// The fake font of the layout cases: every character a fixed number of pixels wide, a few of
// them narrower or wider, whatever the face, size and style.

import java.awt.Font;
import java.awt.FontMetrics;
import java.util.Map;

final class FakeMetrics extends FontMetrics {
    private static final long serialVersionUID = 1L;
    private final int fallback;
    private final Map<Character, Integer> widths;

    FakeMetrics(int fallback, Map<Character, Integer> widths) {
        super(new Font("Dialog", Font.PLAIN, 12));
        this.fallback = fallback;
        this.widths = widths;
    }

    @Override
    public int charWidth(char c) {
        Integer width = widths.get(c);
        return width == null ? fallback : width;
    }

    @Override
    public int stringWidth(String text) {
        int sum = 0;
        for (int i = 0; i < text.length(); ++i)
            sum += charWidth(text.charAt(i));
        return sum;
    }

    @Override
    public int charsWidth(char[] data, int offset, int length) {
        return stringWidth(new String(data, offset, length));
    }
}
