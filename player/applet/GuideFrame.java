// The guide's window, its buttons and progress, and the reading of guide files and record lines.

import java.awt.BorderLayout;
import java.awt.Button;
import java.awt.CardLayout;
import java.awt.Color;
import java.awt.EventQueue;
import java.awt.Font;
import java.awt.Frame;
import java.awt.GridLayout;
import java.awt.Image;
import java.awt.Label;
import java.awt.Panel;
import java.awt.ScrollPane;
import java.awt.event.ActionEvent;
import java.awt.event.ActionListener;
import java.awt.event.WindowEvent;
import java.awt.event.WindowListener;
import java.io.ByteArrayOutputStream;
import java.io.IOException;
import java.io.InputStream;
import java.net.URL;
import java.net.URLConnection;
import java.util.ArrayList;
import java.util.HashMap;
import javax.imageio.ImageIO;

public class GuideFrame extends Frame implements ActionListener, WindowListener, Runnable {
    private static final long serialVersionUID = 1L;

    // What the bytes 0x80 to 0x9F are in code page 1252; the five it leaves free keep their
    // own value, so that every byte stays one character.
    private static final String CP1252_HIGH = "\u20AC\u0081\u201A\u0192\u201E\u2026\u2020\u2021"
        + "\u02C6\u2030\u0160\u2039\u0152\u008D\u017D\u008F\u0090\u2018\u2019\u201C\u201D\u2022"
        + "\u2013\u2014\u02DC\u2122\u0161\u203A\u0153\u009D\u017E\u0178";

    static final char NUMBER_MARK = '\u00A4';
    static final char TEXT_MARK = '\u00B6';
    static final char X_MARK = '\u00AA';
    static final char Y_MARK = '\u00B1';
    static final char CENTER_MARK = '\u20AC'; // the byte 0x80
    static final String LINE_BREAK = "\r\n";

    final Dravenloom applet;
    final Label titleLine;
    final Button restartButton = new Button("Restart");
    final Button backButton = new Button("Back");
    final Button closeButton = new Button("Close");
    final Button aboutButton = new Button("About...");
    final Panel cards = new Panel(new CardLayout());
    final Progress progress = new Progress();
    final ScrollPane scroller = new ScrollPane(ScrollPane.SCROLLBARS_AS_NEEDED);
    final GuideCanvas canvas = new GuideCanvas();
    final Label status = new Label("");

    private Thread loader;
    private boolean loaded;
    // Filled by the loading thread, read on the window's thread once it has finished.
    private String[] lines;
    private HashMap<String, Image> pictures;
    private Image buttonImage;

    GuideFrame(Dravenloom owner) {
        super(owner.shownTitle());
        applet = owner;
        setLayout(new BorderLayout());
        setBackground(Color.white);

        titleLine = new Label(owner.shownTitle());
        titleLine.setBackground(new Color(0, 0, 128));
        titleLine.setForeground(Color.white);
        titleLine.setFont(new Font("SansSerif", Font.PLAIN, 13));
        Panel buttonRow = new Panel(new GridLayout(1, 4));
        Button[] row = {restartButton, backButton, closeButton, aboutButton};
        for (int i = 0; i < row.length; ++i) {
            row[i].addActionListener(this);
            buttonRow.add(row[i]);
        }
        Panel top = new Panel(new GridLayout(2, 1));
        top.add(titleLine);
        top.add(buttonRow);
        add(top, BorderLayout.NORTH);

        scroller.add(canvas);
        canvas.addMouseListener(canvas);
        canvas.addMouseMotionListener(canvas);
        cards.add(progress, "progress");
        cards.add(scroller, "screen");
        add(cards, BorderLayout.CENTER);
        status.setFont(new Font("SansSerif", Font.PLAIN, 11));
        add(status, BorderLayout.SOUTH);

        setSize(strToInt(owner.frameWidth), strToInt(owner.frameHeight));
        addWindowListener(this);
    }

    // Shows the window; the guide is loaded the first time (and again after a failed load),
    // and a window that was closed starts again at record 1.
    void open() {
        if (loader == null || (!loaded && progress.failed() && !loader.isAlive())) {
            progress.step("Loading " + applet.fileName, 0, 0);
            loader = new Thread(this, "Dravenloom loader");
            loader.setDaemon(true);
            loader.start();
        } else if (loaded && !isVisible()) {
            canvas.restart();
        }
        setVisible(true);
        toFront();
    }

    // On the loading thread: the guide, then its pictures; back on the window's thread: the
    // first record.
    public void run() {
        if (EventQueue.isDispatchThread()) {
            showGuide();
            return;
        }
        try {
            load();
        } catch (Throwable error) {
            // Out of memory, most likely: said in the window, like any failure to load.
            progress.fail("cannot load guide " + applet.fileName);
        }
    }

    private void load() {
        String name = applet.fileName;
        byte[] bytes;
        try {
            bytes = fetch(applet.guideUrl(), "Loading " + name);
        } catch (Exception error) {
            progress.fail("cannot load guide " + name);
            return;
        }
        String[] read = splitGuide(bytes);
        String problem = checkGuide(read);
        if (problem != null) {
            progress.fail("cannot load guide " + name + ": " + problem);
            return;
        }
        ArrayList<String> names = pictureNames(read);
        HashMap<String, Image> found = new HashMap<String, Image>();
        for (int i = 0; i < names.size(); ++i) {
            progress.step("Loading pictures", i, names.size());
            Image picture = loadPicture(names.get(i));
            if (picture != null)
                found.put(names.get(i), picture);
        }
        progress.step("Loading pictures", names.size(), names.size());
        buttonImage = loadPicture(applet.image);
        lines = read;
        pictures = found;
        EventQueue.invokeLater(this);
    }

    private void showGuide() {
        canvas.setGuide(this, lines, pictures, buttonImage);
        canvas.setLook(applet.textStart, applet.frameWidth, applet.size, applet.face,
            Dravenloom.isBold(applet.style), Dravenloom.isItalic(applet.style), applet.background, applet.text);
        loaded = true;
        ((CardLayout) cards.getLayout()).show(cards, "screen");
        canvas.restart();
    }

    private byte[] fetch(URL url, String what) throws IOException {
        URLConnection connection = url.openConnection();
        long total = connection.getContentLength();
        InputStream in = connection.getInputStream();
        try {
            ByteArrayOutputStream out = new ByteArrayOutputStream();
            byte[] buffer = new byte[1 << 16];
            for (int got; (got = in.read(buffer)) >= 0;) {
                out.write(buffer, 0, got);
                progress.step(what, out.size(), total);
            }
            return out.toByteArray();
        } finally {
            in.close();
        }
    }

    // Null when the picture can't be had: missing, unreadable, or of a kind without a decoder.
    private Image loadPicture(String storedPath) {
        try {
            return ImageIO.read(applet.pictureUrl(storedPath));
        } catch (Exception error) {
            return null;
        }
    }

    // ---- Reading record lines ----

    // A decimal number with an optional sign, nothing else, within 32 bits; null otherwise.
    static Integer readNumber(String text) {
        int i = 0;
        boolean negative = false;
        if (i < text.length() && (text.charAt(i) == '+' || text.charAt(i) == '-')) {
            negative = text.charAt(i) == '-';
            ++i;
        }
        if (i == text.length())
            return null;
        long value = 0;
        for (; i < text.length(); ++i) {
            char c = text.charAt(i);
            if (c < '0' || c > '9')
                return null;
            value = value * 10 + (c - '0');
            if (value > Integer.MAX_VALUE + 1L)
                return null;
        }
        if (negative)
            value = -value;
        if (value > Integer.MAX_VALUE)
            return null;
        return Integer.valueOf((int) value);
    }

    static int strToInt(String text) {
        Integer value = readNumber(text);
        if (value == null)
            throw new IllegalArgumentException("'" + text + "' is not a valid integer value");
        return value.intValue();
    }

    // The record number a line starts with, or null when it starts with none.
    static Integer lineNumberOrNull(String line) {
        int mark = line.indexOf(NUMBER_MARK);
        return mark < 0 ? null : readNumber(line.substring(0, mark));
    }

    static int lineNumber(String line) {
        Integer number = lineNumberOrNull(line);
        if (number == null)
            throw new IllegalArgumentException("a line does not start with a record number");
        return number.intValue();
    }

    // The field between the first `from` mark and the first `to` mark; empty when either is
    // missing or the end comes first.
    static String between(String line, char from, char to) {
        int start = line.indexOf(from);
        int end = line.indexOf(to);
        if (start < 0 || end < 0 || end <= start)
            return "";
        return line.substring(start + 1, end);
    }

    static String after(String line, char mark) {
        int start = line.indexOf(mark);
        return start < 0 ? "" : line.substring(start + 1);
    }

    static String lineText(String line) {
        return between(line, NUMBER_MARK, TEXT_MARK);
    }

    static String lineTarget(String line) {
        return after(line, TEXT_MARK);
    }

    static String graphicPath(String line) {
        return between(line, TEXT_MARK, X_MARK);
    }

    // The stored position of the picture: "300" and "0" when the record has no picture.
    static String graphicX(String line) {
        return graphicPath(line).length() == 0 ? "300" : between(line, X_MARK, Y_MARK);
    }

    static String graphicY(String line) {
        return graphicPath(line).length() == 0 ? "0" : between(line, Y_MARK, CENTER_MARK);
    }

    static boolean centred(String line) {
        return after(line, CENTER_MARK).equals("yes");
    }

    static int findPrimaryLine(String[] lines, int record) {
        for (int i = 0; i < lines.length; ++i)
            if (lineNumber(lines[i]) == record)
                return i;
        return -1;
    }

    // ---- Reading the guide file ----

    // The record lines of a guide file: lines end at CR LF, CR or LF, a NUL byte ends the text,
    // the bytes are code page 1252, and the byte 0x9A inside a line is a line break.
    static String[] splitGuide(byte[] bytes) {
        int end = 0;
        while (end < bytes.length && bytes[end] != 0)
            ++end;
        ArrayList<String> read = new ArrayList<String>();
        int start = 0;
        while (start < end) {
            int stop = start;
            while (stop < end && bytes[stop] != '\r' && bytes[stop] != '\n')
                ++stop;
            read.add(decodeLine(bytes, start, stop));
            if (stop == end)
                break;
            start = stop + 1;
            if (bytes[stop] == '\r' && start < end && bytes[start] == '\n')
                ++start;
        }
        return read.toArray(new String[read.size()]);
    }

    static String decodeLine(byte[] bytes, int from, int to) {
        StringBuilder line = new StringBuilder(to - from);
        for (int i = from; i < to; ++i) {
            int b = bytes[i] & 0xFF;
            if (b == 0x9A)
                line.append(LINE_BREAK);
            else if (b >= 0x80 && b < 0xA0)
                line.append(CP1252_HIGH.charAt(b - 0x80));
            else
                line.append((char) b);
        }
        return line.toString();
    }

    // What is wrong with the lines as a guide, or null.
    static String checkGuide(String[] read) {
        if (read.length == 0)
            return "it holds no records";
        for (int i = 0; i < read.length; ++i)
            if (lineNumberOrNull(read[i]) == null)
                return "line " + (i + 1) + " does not start with a record number";
        return null;
    }

    // The pictures the records name, each once, by the last component of the stored path.
    static ArrayList<String> pictureNames(String[] read) {
        ArrayList<String> names = new ArrayList<String>();
        Integer previous = null;
        for (int i = 0; i < read.length; ++i) {
            Integer number = lineNumberOrNull(read[i]);
            boolean primary = i == 0 || number == null || !number.equals(previous);
            previous = number;
            if (!primary)
                continue;
            String path = graphicPath(read[i]);
            if (Dravenloom.isBlank(path))
                continue;
            String name = Dravenloom.lastComponent(path);
            if (name.length() != 0 && !names.contains(name))
                names.add(name);
        }
        return names;
    }

    // ---- The walk's window ----

    // Called by the screen after every draw: what could not be shown, or "".
    void recordShown(String notes) {
        status.setText(notes);
        scroller.doLayout();
        scroller.setScrollPosition(0, 0);
        canvas.repaint();
    }

    void openAddress(String address) {
        try {
            applet.showAddress(address);
        } catch (Exception error) {
            status.setText("cannot open " + address);
        }
    }

    private void close() {
        canvas.close();
        setVisible(false);
    }

    public void actionPerformed(ActionEvent event) {
        Object source = event.getSource();
        if (source == aboutButton) {
            new About(this).setVisible(true);
            return;
        }
        if (!loaded)
            return;
        if (source == restartButton)
            canvas.restart();
        else if (source == backButton)
            canvas.back();
        else if (source == closeButton)
            close();
    }

    public void windowClosing(WindowEvent event) {
        close();
    }

    public void windowOpened(WindowEvent event) {}

    public void windowClosed(WindowEvent event) {}

    public void windowIconified(WindowEvent event) {}

    public void windowDeiconified(WindowEvent event) {}

    public void windowActivated(WindowEvent event) {}

    public void windowDeactivated(WindowEvent event) {}
}
