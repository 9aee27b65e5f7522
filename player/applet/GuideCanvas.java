// The record screen: a record laid out as the author's program lays it out, drawn, and walked.

import java.awt.Canvas;
import java.awt.Color;
import java.awt.Cursor;
import java.awt.Dimension;
import java.awt.Font;
import java.awt.FontMetrics;
import java.awt.Graphics;
import java.awt.Graphics2D;
import java.awt.Image;
import java.awt.RenderingHints;
import java.awt.event.MouseEvent;
import java.awt.event.MouseListener;
import java.awt.event.MouseMotionListener;
import java.awt.image.BufferedImage;
import java.util.ArrayList;
import java.util.HashMap;

public class GuideCanvas extends Canvas implements MouseListener, MouseMotionListener {
    private static final long serialVersionUID = 1L;

    static final int MAX_RESPONSES = 6;
    static final int BUTTON_X = 5;
    static final int BUTTON_SIZE = 15;
    static final int MAX_SCREEN_WIDTH = 1279;
    static final int MAX_SCREEN_HEIGHT = 3000;
    // A line takes at least one character (or its line break): a smaller capacity would
    // hyphenate nothing for ever.
    static final long SMALLEST_CAPACITY = 2;

    // ---- The layout of the last record laid out ----
    final ArrayList<String> lineTexts = new ArrayList<String>();
    final ArrayList<int[]> lineBoxes = new ArrayList<int[]>(); // x, y, font style
    final ArrayList<int[]> buttons = new ArrayList<int[]>(); // top, index of its first line
    final int[] tops = new int[MAX_RESPONSES];
    final String[] targets = new String[MAX_RESPONSES];
    String picturePath; // as stored; null when the record has none
    int pictureX;
    int pictureY;
    boolean clearsRegions; // how far the layout came before a failure
    boolean paints;
    String failure; // null when the whole record was laid out
    private int y;

    // ---- The walk ----
    private GuideFrame frame;
    private String[] guide = new String[0];
    private String textStart = "5";
    private String width = "300";
    private String size = "12";
    private String face = "Times New Roman";
    private boolean bold;
    private boolean italic;
    private Color background = Color.white;
    private Color foreground = Color.black;
    private Font dialogueFont;
    private Font responseFont;
    private Image button; // null: a drawn square stands in
    private HashMap<String, Image> pictures = new HashMap<String, Image>();
    int record = 1;
    final ArrayList<Integer> history = new ArrayList<Integer>();
    boolean blank = true;
    private boolean drawn; // something was ever laid out, so the old screen can stay
    private BufferedImage screen;
    private final Dimension extent = new Dimension(1, 1);

    public GuideCanvas() {
        for (int k = 0; k < MAX_RESPONSES; ++k)
            targets[k] = "0";
    }

    private static boolean isAsciiLetter(char c, char lower) {
        return c == lower || c == lower - 32;
    }

    // The link of a response: {address as written, the text without the markup}, or null. The
    // first "[url:" in any case and the first "]"; a "]" before the markup means no link.
    static String[] findLink(String text) {
        int open = -1;
        for (int i = 0; i + 5 <= text.length() && open < 0; ++i) {
            if (text.charAt(i) == '[' && isAsciiLetter(text.charAt(i + 1), 'u')
                    && isAsciiLetter(text.charAt(i + 2), 'r')
                    && isAsciiLetter(text.charAt(i + 3), 'l')
                    && text.charAt(i + 4) == ':')
                open = i;
        }
        int close = text.indexOf(']');
        if (open < 0 || close < 0 || close < open)
            return null;
        return new String[] {text.substring(open + 5, close),
            text.substring(0, open) + text.substring(close + 1)};
    }

    // ---- Layout ----

    private static double trunc(double value) {
        return value < 0 ? Math.ceil(value) : Math.floor(value);
    }

    // How many characters of the rest fit a line, estimated from the average width of all of
    // it; one more than its length when it all fits.
    static long capacity(String rest, double wrapWidth, FontMetrics measure) {
        double average = trunc((double) measure.stringWidth(rest) / rest.length());
        long whole = rest.length() + 1L;
        // An average below a pixel fits any text on one line.
        if (!(average > 0))
            return whole;
        double capacity = trunc(wrapWidth / average);
        if (capacity >= whole)
            return whole;
        return Math.max(SMALLEST_CAPACITY, (long) capacity);
    }

    // A top near the end of the integer range must not wrap round to a negative one, which
    // would put a response above the screen and read as a free hit region.
    private void advance(int by) {
        y = by > 0 && y > Integer.MAX_VALUE - by ? Integer.MAX_VALUE : y + by;
    }

    void layOutParagraph(String text, double wrapWidth, int closingGap, int lineStep, int x,
            boolean centre, FontMetrics measure, int style) {
        String rest = text;
        for (;;) {
            // Nothing left (an empty text, or a line that ended with a blank at the very end):
            // no line of its own, only the closing gap.
            if (rest.length() == 0) {
                advance(closingGap);
                return;
            }
            long n = capacity(rest, wrapWidth, measure);
            String suffix = "";
            boolean last = false;
            int length = rest.length();
            if (length < n) {
                n = length;
                last = true;
            } else {
                String head = rest.substring(0, (int) n);
                int blank = head.lastIndexOf(' ');
                if (blank >= 0) {
                    if (head.indexOf(GuideFrame.LINE_BREAK) < 0)
                        n = blank + 1;
                } else {
                    n -= 1;
                    suffix = "-";
                }
            }
            int count = (int) n;
            int lineBreak = rest.substring(0, count).indexOf(GuideFrame.LINE_BREAK);
            boolean endsAtBreak = lineBreak >= 0;
            if (endsAtBreak) {
                count = lineBreak;
                suffix = "";
                last = false;
            }

            int left = x;
            if (centre) {
                // The hyphen's place is measured as the character it stands for.
                String measured = rest.substring(0, Math.min(length, count + suffix.length()));
                int half = measure.stringWidth(measured) / 2;
                double start = trunc(wrapWidth * 0.5 - half);
                left = start < 3 ? 3 : (int) start;
            }
            lineTexts.add(rest.substring(0, count) + suffix);
            lineBoxes.add(new int[] {left, y, style});

            if (last) {
                advance(closingGap);
                return;
            }
            advance(lineStep);
            if (endsAtBreak) {
                if (length < count + 3)
                    return; // a line break at the very end draws nothing more
                rest = rest.substring(count + 2);
            } else {
                rest = rest.substring(count);
            }
        }
    }

    // Lays out record `number` of the guide lines with the settings as the author typed them;
    // `dialogueMetrics` measures the bold dialogue, `responseMetrics` the responses. Returns
    // false, with `failure` saying why, when a setting or field does not convert or the record
    // is missing; `clearsRegions` and `paints` then say how far it came.
    boolean layOut(String[] lines, int number, String textStartText, String widthText,
            String sizeText, String faceName, boolean boldResponses, boolean italicText,
            FontMetrics dialogueMetrics, FontMetrics responseMetrics) {
        clearsRegions = false;
        paints = false;
        failure = null;
        picturePath = null;
        lineTexts.clear();
        lineBoxes.clear();
        buttons.clear();
        int[] newTops = new int[MAX_RESPONSES];
        String[] newTargets = {"0", "0", "0", "0", "0", "0"};
        try {
            int points = GuideFrame.strToInt(sizeText) * 5 / 6;
            y = GuideFrame.strToInt(textStartText);
            int frameWidth = GuideFrame.strToInt(widthText);
            int gap = points + 35;
            clearsRegions = true;
            int fontSize = GuideFrame.strToInt(sizeText);
            if (fontSize < 14)
                gap -= 10;
            if (faceName.equals("Courier"))
                gap += 5;
            if (boldResponses)
                gap += 5;
            int lineStep = fontSize + (fontSize >= 14 ? 5 : 0) + 4;

            int primary = GuideFrame.findPrimaryLine(lines, number);
            if (primary < 0)
                throw new IllegalArgumentException("record " + number + " is not in the guide");
            paints = true;
            String line = lines[primary];
            String path = GuideFrame.graphicPath(line);
            if (path.length() != 0) {
                int x = GuideFrame.strToInt(GuideFrame.graphicX(line));
                int top = GuideFrame.strToInt(GuideFrame.graphicY(line));
                picturePath = path;
                pictureX = x;
                pictureY = top;
            }
            double width = frameWidth;
            int italicStyle = italicText ? Font.ITALIC : 0;
            // The dialogue is always bold.
            layOutParagraph(GuideFrame.lineText(line), width - width * 0.15, gap, lineStep, 5,
                GuideFrame.centred(line),
                dialogueMetrics, Font.BOLD | italicStyle);

            int responseStyle = (boldResponses ? Font.BOLD : 0) | italicStyle;
            int index = primary + 1;
            for (int k = 0; k < MAX_RESPONSES && index < lines.length
                    && GuideFrame.lineNumber(lines[index]) == number;
                    ++k, ++index) {
                buttons.add(new int[] {y, lineTexts.size()});
                newTops[k] = y;
                String text = GuideFrame.lineText(lines[index]);
                String[] link = findLink(text);
                newTargets[k] = link != null ? link[0] : Integer.toString(index);
                layOutParagraph(link != null ? link[1] : text, width - width * 0.2, gap * 3 / 4,
                    lineStep, BUTTON_SIZE + 10, false, responseMetrics, responseStyle);
            }
        } catch (IllegalArgumentException error) {
            failure = error.getMessage();
        }
        if (clearsRegions) {
            System.arraycopy(newTops, 0, tops, 0, MAX_RESPONSES);
            System.arraycopy(newTargets, 0, targets, 0, MAX_RESPONSES);
        }
        return failure == null;
    }

    // ---- The look, set by the frame ----

    void setGuide(GuideFrame owner, String[] lines, HashMap<String, Image> loadedPictures,
            Image buttonImage) {
        frame = owner;
        guide = lines;
        pictures = loadedPictures;
        button = buttonImage;
    }

    void setLook(String textStartText, String widthText, String sizeText, String faceName,
            boolean boldResponses, boolean italicText, Color back, Color fore) {
        textStart = textStartText;
        width = widthText;
        size = sizeText;
        face = faceName;
        bold = boldResponses;
        italic = italicText;
        background = back;
        foreground = fore;
        setBackground(back);
        Integer value = GuideFrame.readNumber(sizeText);
        // A point size at 96 dots per inch, as the author's screen draws it; Java2D draws at 72.
        float pixels = (value == null ? 10 : value.intValue() * 5 / 6) * 96f / 72f;
        String family = fontFamily(faceName);
        int italicStyle = italicText ? Font.ITALIC : 0;
        dialogueFont = new Font(family, Font.BOLD | italicStyle, 1).deriveFont(pixels);
        responseFont =
            new Font(family, (boldResponses ? Font.BOLD : 0) | italicStyle, 1).deriveFont(pixels);
    }

    // The face itself when the system has it, else a face of the same shape.
    static String fontFamily(String faceName) {
        String[] installed;
        try {
            installed = java.awt.GraphicsEnvironment.getLocalGraphicsEnvironment()
                            .getAvailableFontFamilyNames();
        } catch (Throwable error) {
            installed = new String[0];
        }
        String lookalike = "Liberation Serif";
        String logical = "Serif";
        if (faceName.equals("Arial")) {
            lookalike = "Liberation Sans";
            logical = "SansSerif";
        } else if (faceName.startsWith("Courier")) {
            lookalike = "Liberation Mono";
            logical = "Monospaced";
        }
        for (int pass = 0; pass < 2; ++pass) {
            String wanted = pass == 0 ? faceName : lookalike;
            for (int i = 0; i < installed.length; ++i)
                if (installed[i].equalsIgnoreCase(wanted))
                    return installed[i];
        }
        return logical;
    }

    private static void prepare(Graphics2D g) {
        g.setRenderingHint(RenderingHints.KEY_TEXT_ANTIALIASING,
            RenderingHints.VALUE_TEXT_ANTIALIAS_ON);
        g.setRenderingHint(RenderingHints.KEY_FRACTIONALMETRICS,
            RenderingHints.VALUE_FRACTIONALMETRICS_OFF);
    }

    // ---- The walk ----

    // Lays out and draws the record on show; a failure leaves the old screen, as far as it
    // went, and says why.
    void showRecord() {
        try {
            drawRecord();
        } catch (RuntimeException error) {
            // The reader sees what went wrong in the window, never a trace on a console.
            if (frame != null)
                frame.recordShown("cannot show record " + record);
        }
    }

    private void drawRecord() {
        blank = false;
        BufferedImage scratch = new BufferedImage(1, 1, BufferedImage.TYPE_INT_RGB);
        Graphics2D g = scratch.createGraphics();
        prepare(g);
        boolean complete = layOut(guide, record, textStart, width, size, face, bold, italic,
            g.getFontMetrics(dialogueFont), g.getFontMetrics(responseFont));
        g.dispose();
        StringBuilder notes = new StringBuilder();
        if (!complete)
            notes.append(failure);
        if (paints) {
            render(notes);
            drawn = true;
        }
        if (frame != null)
            frame.recordShown(notes.toString());
        repaint();
    }

    private void render(StringBuilder notes) {
        Image picture = null;
        if (picturePath != null) {
            picture = pictures.get(Dravenloom.lastComponent(picturePath));
            if (picture == null)
                note(notes, "cannot load the picture " + Dravenloom.lastComponent(picturePath));
        }
        if (button == null)
            note(notes, "cannot load the button image");
        int right = 1;
        int bottom = y;
        if (picture != null) {
            right = Math.max(right, pictureX + picture.getWidth(null));
            bottom = Math.max(bottom, pictureY + picture.getHeight(null));
        }
        BufferedImage scratch = new BufferedImage(1, 1, BufferedImage.TYPE_INT_RGB);
        Graphics2D measureGraphics = scratch.createGraphics();
        prepare(measureGraphics);
        for (int i = 0; i < lineTexts.size(); ++i) {
            int[] box = lineBoxes.get(i);
            FontMetrics metrics = measureGraphics.getFontMetrics(fontOf(box[2]));
            right = Math.max(right, box[0] + metrics.stringWidth(lineTexts.get(i)));
            bottom = Math.max(bottom, box[1] + metrics.getHeight());
        }
        measureGraphics.dispose();
        // As wide and as tall as what is drawn, within the author's screen width and a bound
        // that keeps the picture of the screen to a few megabytes.
        extent.width = Math.max(1, Math.min(right + 5, MAX_SCREEN_WIDTH));
        extent.height = Math.max(1, Math.min(bottom + 5, MAX_SCREEN_HEIGHT));

        screen = new BufferedImage(extent.width, extent.height, BufferedImage.TYPE_INT_RGB);
        Graphics2D g = screen.createGraphics();
        prepare(g);
        g.setColor(background);
        g.fillRect(0, 0, extent.width, extent.height);
        if (picture != null)
            g.drawImage(picture, pictureX, pictureY, null);
        int next = 0;
        for (int i = 0; i <= lineTexts.size(); ++i) {
            while (next < buttons.size() && buttons.get(next)[1] == i)
                drawButton(g, buttons.get(next++)[0]);
            if (i == lineTexts.size())
                break;
            int[] box = lineBoxes.get(i);
            g.setFont(fontOf(box[2]));
            FontMetrics metrics = g.getFontMetrics();
            String text = lineTexts.get(i);
            // Opaque text: its cell is painted in the background colour, also over the picture.
            g.setColor(background);
            g.fillRect(box[0], box[1], metrics.stringWidth(text), metrics.getHeight());
            g.setColor(foreground);
            g.drawString(text, box[0], box[1] + metrics.getAscent());
        }
        g.dispose();
        invalidate();
    }

    private static void note(StringBuilder notes, String text) {
        if (notes.length() > 0)
            notes.append("; ");
        notes.append(text);
    }

    private Font fontOf(int style) {
        // Responses are bold only when the dialogue's font is theirs too.
        return (style & Font.BOLD) != 0 ? dialogueFont : responseFont;
    }

    private void drawButton(Graphics2D g, int top) {
        if (button != null) {
            g.drawImage(button, BUTTON_X, top, BUTTON_SIZE, BUTTON_SIZE, null);
            return;
        }
        // A raised grey square stands in for a button image that could not be loaded.
        g.setColor(Color.lightGray);
        g.fillRect(BUTTON_X, top, BUTTON_SIZE, BUTTON_SIZE);
        g.setColor(Color.white);
        g.drawLine(BUTTON_X, top, BUTTON_X + BUTTON_SIZE - 1, top);
        g.drawLine(BUTTON_X, top, BUTTON_X, top + BUTTON_SIZE - 1);
        int right = BUTTON_X + BUTTON_SIZE - 1;
        int bottom = top + BUTTON_SIZE - 1;
        g.setColor(Color.darkGray);
        g.drawLine(BUTTON_X, bottom, right, bottom);
        g.drawLine(right, top, right, bottom);
    }

    void restart() {
        record = 1;
        history.clear();
        showRecord();
    }

    void back() {
        if (history.isEmpty())
            return;
        record = history.remove(history.size() - 1).intValue();
        showRecord();
    }

    // The screen goes blank, the walk is forgotten, and nothing of it stays clickable.
    void close() {
        history.clear();
        blank = true;
        screen = null;
        for (int k = 0; k < MAX_RESPONSES; ++k) {
            tops[k] = 0;
            targets[k] = "0";
        }
        setCursor(Cursor.getDefaultCursor());
        repaint();
    }

    // The response whose open 15 x 15 button square holds the point, from `first` on; -1 when
    // none. The scan stops at the first free entry.
    int regionAt(int x, int pointY, int first) {
        for (int k = first; k < MAX_RESPONSES; ++k) {
            long top = tops[k];
            if (top == 0)
                return -1;
            if (x > BUTTON_X && x < BUTTON_X + BUTTON_SIZE && pointY > top
                    && pointY < top + BUTTON_SIZE)
                return k;
        }
        return -1;
    }

    void click(int x, int pointY) {
        if (blank)
            return;
        for (int k = regionAt(x, pointY, 0); k >= 0; k = regionAt(x, pointY, k + 1))
            if (follow(targets[k]))
                return;
    }

    // Follows one response; true when a new record is on show.
    private boolean follow(String target) {
        if (target.indexOf('.') >= 0) {
            // An address: opened only when it is a web or mail address.
            String address = Dravenloom.openableAddress(target);
            if (address != null && frame != null)
                frame.openAddress(address);
            return false;
        }
        Integer position = GuideFrame.readNumber(target);
        if (position == null || position.intValue() < 0 || position.intValue() >= guide.length)
            return false;
        // The line is read now, so the jump goes where the guide says.
        String jump = GuideFrame.lineTarget(guide[position.intValue()]);
        if (jump.length() == 0)
            return false;
        Integer next = GuideFrame.readNumber(jump);
        if (next == null) {
            if (frame != null)
                frame.recordShown("the response jumps to \"" + jump + "\", which is not a record");
            return false;
        }
        history.add(Integer.valueOf(record));
        record = next.intValue();
        showRecord();
        return true;
    }

    // ---- Drawing and the mouse ----

    public Dimension getPreferredSize() {
        return new Dimension(extent);
    }

    public void update(Graphics g) {
        paint(g);
    }

    public void paint(Graphics g) {
        Dimension shown = getSize();
        g.setColor(background);
        g.fillRect(0, 0, shown.width, shown.height);
        if (!blank && drawn && screen != null)
            g.drawImage(screen, 0, 0, null);
    }

    public void mouseReleased(MouseEvent event) {
        click(event.getX(), event.getY());
    }

    public void mouseMoved(MouseEvent event) {
        boolean over = !blank && regionAt(event.getX(), event.getY(), 0) >= 0;
        setCursor(
            over ? Cursor.getPredefinedCursor(Cursor.HAND_CURSOR) : Cursor.getDefaultCursor());
    }

    public void mouseDragged(MouseEvent event) {}

    public void mouseClicked(MouseEvent event) {}

    public void mousePressed(MouseEvent event) {}

    public void mouseEntered(MouseEvent event) {}

    public void mouseExited(MouseEvent event) {}
}
