// The loading of the guide and its pictures as the reader sees it, and why it failed.

import java.awt.Canvas;
import java.awt.Color;
import java.awt.Dimension;
import java.awt.Font;
import java.awt.FontMetrics;
import java.awt.Graphics;

public class Progress extends Canvas {
    private static final long serialVersionUID = 1L;

    private String message = "";
    private long done;
    private long total; // 0 or less: unknown
    private boolean failed;

    public Progress() {
        setBackground(Color.white);
        setFont(new Font("SansSerif", Font.PLAIN, 12));
    }

    // Called from the loading thread as well as the window's.
    synchronized void step(String what, long count, long of) {
        message = what;
        done = count;
        total = of;
        failed = false;
        repaint();
    }

    synchronized void fail(String why) {
        message = why;
        failed = true;
        repaint();
    }

    synchronized String message() {
        return message;
    }

    synchronized boolean failed() {
        return failed;
    }

    public Dimension getPreferredSize() {
        return new Dimension(200, 60);
    }

    public void update(Graphics g) {
        paint(g);
    }

    public void paint(Graphics g) {
        String text;
        long count;
        long of;
        boolean broken;
        synchronized (this) {
            text = message;
            count = done;
            of = total;
            broken = failed;
        }
        Dimension size = getSize();
        g.setColor(Color.white);
        g.fillRect(0, 0, size.width, size.height);
        FontMetrics metrics = g.getFontMetrics();
        int barWidth = Math.max(20, Math.min(240, size.width - 20));
        int left = (size.width - barWidth) / 2;
        int top = size.height / 2 - 20;
        g.setColor(broken ? new Color(176, 0, 0) : Color.black);
        drawWrapped(g, metrics, text, 10, size.width - 20, top);
        if (broken)
            return;
        int barTop = top + metrics.getHeight() + 8;
        g.setColor(Color.gray);
        g.drawRect(left, barTop, barWidth, 12);
        g.setColor(new Color(0, 0, 128));
        if (of > 0) {
            int filled = (int) (Math.min(count, of) * (barWidth - 1) / of);
            g.fillRect(left + 1, barTop + 1, filled, 11);
        }
    }

    // The message centred, broken at blanks where the window is too narrow for it.
    private static void drawWrapped(Graphics g, FontMetrics metrics, String text, int left,
            int width, int top) {
        String rest = text;
        int y = top;
        while (rest.length() > 0) {
            int end = rest.length();
            while (end > 1 && metrics.stringWidth(rest.substring(0, end)) > width) {
                int blank = rest.lastIndexOf(' ', end - 1);
                end = blank > 0 ? blank : end - 1;
            }
            String line = rest.substring(0, end);
            g.drawString(line, left + Math.max(0, (width - metrics.stringWidth(line)) / 2),
                y + metrics.getAscent());
            y += metrics.getHeight();
            rest = rest.substring(end).trim();
        }
    }
}
