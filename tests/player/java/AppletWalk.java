// The applet on a page, walked with the mouse under a display server (Xvfb): the launch
// button, record 1, a response, Back, the sample guide's picture record and its link, Restart,
// Close and About; then the failures a reader can meet.
//
//   xvfb-run -a java -cp Applet:tests AppletWalk SOURCE_DIR APPLET_DIR [SCREENSHOT.png]

import java.awt.Button;
import java.awt.Color;
import java.awt.Component;
import java.awt.Dialog;
import java.awt.EventQueue;
import java.awt.Frame;
import java.awt.Point;
import java.awt.Rectangle;
import java.awt.Robot;
import java.awt.Window;
import java.awt.event.InputEvent;
import java.awt.image.BufferedImage;
import java.io.File;
import java.nio.file.Files;
import java.nio.file.StandardCopyOption;
import java.util.Arrays;
import java.util.concurrent.Callable;
import java.util.concurrent.atomic.AtomicReference;
import javax.imageio.ImageIO;

public final class AppletWalk {
    private static Robot robot;

    public static void main(String[] args) throws Exception {
        File source = new File(args[0]);
        File appletDir = new File(args[1]);
        File shot = args.length > 2 ? new File(args[2]) : null;
        // A walk that hangs is a failure too, not a test that never ends.
        Thread watchdog = new Thread(() -> {
            try {
                Thread.sleep(120000);
            } catch (InterruptedException stopped) {
                return;
            }
            System.out.println("FAILED: the walk did not end within two minutes");
            Runtime.getRuntime().halt(1);
        });
        watchdog.setDaemon(true);
        watchdog.start();
        robot = new Robot();
        robot.setAutoDelay(30);

        File site = Files.createTempDirectory("dravenloom-site").toFile();
        try {
            copy(new File(source, "examples/tour.dvx"), site);
            copy(new File(source, "examples/bulb.jpg"), site);
            copy(new File(appletDir, "gray.gif"), site);
            Files.write(new File(site, "bad.dvx").toPath(),
                "1\u00A4One\u00B6\u00AA\u00B1\u0080no\r\nTwo\u00B6\r\n".getBytes("ISO-8859-1"));
            walk(site, shot);
            failures(site);
        } catch (Throwable error) {
            error.printStackTrace(System.out);
            Check.that(false, "the walk ends without an exception");
        } finally {
            for (File file : site.listFiles())
                file.delete();
            site.delete();
        }
        System.exit(Check.finish("AppletWalk"));
    }

    static void copy(File file, File folder) throws Exception {
        Files.copy(file.toPath(), new File(folder, file.getName()).toPath(),
            StandardCopyOption.REPLACE_EXISTING);
    }

    // ---- Driving the window system ----

    static <T> T onWindowThread(Callable<T> read) throws Exception {
        if (EventQueue.isDispatchThread())
            return read.call();
        AtomicReference<T> value = new AtomicReference<>();
        AtomicReference<Exception> failure = new AtomicReference<>();
        EventQueue.invokeAndWait(() -> {
            try {
                value.set(read.call());
            } catch (Exception error) {
                failure.set(error);
            }
        });
        if (failure.get() != null)
            throw failure.get();
        return value.get();
    }

    static boolean waitFor(String what, Callable<Boolean> condition) throws Exception {
        long end = System.currentTimeMillis() + 15000;
        while (System.currentTimeMillis() < end) {
            robot.waitForIdle();
            if (onWindowThread(condition))
                return true;
            Thread.sleep(50);
        }
        Check.that(false, "timed out waiting until " + what);
        return false;
    }

    static void clickAt(Component component, int x, int y) throws Exception {
        Point origin = onWindowThread(component::getLocationOnScreen);
        robot.mouseMove(origin.x + x, origin.y + y);
        robot.mousePress(InputEvent.BUTTON1_DOWN_MASK);
        robot.mouseRelease(InputEvent.BUTTON1_DOWN_MASK);
        robot.waitForIdle();
    }

    static void click(Component component) throws Exception {
        Rectangle bounds = onWindowThread(component::getBounds);
        clickAt(component, bounds.width / 2, bounds.height / 2);
    }

    // Clicks the middle of response k's button on the record screen.
    static void clickResponse(GuideCanvas canvas, int k) throws Exception {
        int top = onWindowThread(() -> canvas.tops[k]);
        clickAt(canvas, GuideCanvas.BUTTON_X + 7, top + 7);
    }

    static Dravenloom page(File site, String[][] params, int left) throws Exception {
        StubContext context = new StubContext(StubContext.folder(site));
        String[][] defaults = {{"frameWidth", "300"}, {"frameHeight", "480"},
            {"filename", "tour.dvx"}, {"title", "My desk lamp"}, {"button", "Lamp help"},
            {"background", "#FFFFFF"}, {"text", "#000000"}, {"face", "Times New Roman"},
            {"style", "Regular"}, {"size", "12"}, {"textStart", "5"}, {"image", "gray.gif"},
            {"imageDir", ""}};
        for (String[] param : defaults)
            context.params.put(param[0], param[1]);
        for (String[] param : params)
            context.params.put(param[0], param[1]);
        return onWindowThread(() -> {
            Dravenloom applet = new Dravenloom();
            applet.setStub(context);
            Frame holder = new Frame("page");
            holder.setLayout(null);
            holder.add(applet);
            applet.setBounds(20, 40, 75, 50);
            holder.setBounds(left, 500, 200, 120);
            applet.init();
            applet.start();
            holder.setVisible(true);
            return applet;
        });
    }

    static StubContext context(Dravenloom applet) throws Exception {
        return (StubContext) onWindowThread(applet::getAppletContext);
    }

    static int colourAt(BufferedImage image, int x, int y) {
        return image.getRGB(x, y) & 0xFFFFFF;
    }

    // ---- The walk ----

    static void walk(File site, File shot) throws Exception {
        Dravenloom applet = page(site, new String[0][], 700);
        Check.equal("Lamp help", onWindowThread(() -> applet.launch.getLabel()),
            "the launch button's caption");
        waitFor("the page shows", () -> applet.launch.isShowing());
        click(applet.launch);
        if (!waitFor("record 1 is drawn", () -> applet.frame != null
                && applet.frame.canvas.isShowing()
                && applet.frame.canvas.record == 1 && applet.frame.canvas.tops[0] > 0))
            return;
        GuideFrame frame = applet.frame;
        GuideCanvas canvas = frame.canvas;
        Check.equal("My desk lamp", onWindowThread(frame::getTitle), "the window's title");
        Check.equal(new Rectangle(0, 0, 300, 480), onWindowThread(frame::getBounds),
            "the window is frameWidth x frameHeight");
        // Two one-line responses: the second 26 pixels (the response gap) below the first.
        Check.equal(Arrays.asList(26, 0), onWindowThread(() -> Arrays.asList(
            canvas.tops[1] - canvas.tops[0], canvas.tops[2])), "record 1's two response buttons");

        // A click beside a button (on the response's text) does nothing.
        clickAt(canvas, 40, canvas.tops[0] + 7);
        Check.equal(1, onWindowThread(() -> canvas.record), "a click on a response's text");

        clickResponse(canvas, 0);
        waitFor("the first response leads to record 3", () -> canvas.record == 3);
        Check.equal(Arrays.asList(1), onWindowThread(() -> canvas.history), "the walk so far");

        click(frame.backButton);
        waitFor("Back returns to record 1", () -> canvas.record == 1 && canvas.history.isEmpty());
        click(frame.backButton);
        Check.equal(1, onWindowThread(() -> canvas.record), "Back with no history stays");

        clickResponse(canvas, 0); // plugged in: record 3
        waitFor("record 3", () -> canvas.record == 3);
        clickResponse(canvas, 0); // the other device works: record 5
        waitFor("record 5", () -> canvas.record == 5);
        clickResponse(canvas, 0); // the bulb is blackened: record 6
        waitFor("record 6", () -> canvas.record == 6);
        Check.equal(Arrays.asList(1, 3, 5), onWindowThread(() -> canvas.history), "three jumps");
        Check.equal("https://www.korvessa.example/lamps/", onWindowThread(() -> canvas.targets[2]),
            "record 6's link response");
        Check.equal("", onWindowThread(() -> frame.status.getText()), "record 6 draws whole");

        clickResponse(canvas, 2);
        waitFor("the link is handed to the browser", () -> !context(applet).shown().isEmpty());
        Check.equal(Arrays.asList("https://www.korvessa.example/lamps/ _blank"),
            context(applet).shown(), "a link opens in a new browser window");
        Check.equal(6, onWindowThread(() -> canvas.record), "the link leaves the record on show");
        Check.equal(Arrays.asList(1, 3, 5), onWindowThread(() -> canvas.history),
            "the link leaves the history");

        // The record screen as the reader sees it: the picture, the button images, the text.
        robot.mouseMove(500, 900);
        robot.waitForIdle();
        Thread.sleep(300);
        Rectangle bounds = onWindowThread(frame::getBounds);
        BufferedImage window = robot.createScreenCapture(bounds);
        Point canvasAt = onWindowThread(() -> {
            Point on = canvas.getLocationOnScreen();
            return new Point(on.x - bounds.x, on.y - bounds.y);
        });
        // The sample guide's record 6 puts its 60 x 80 bulb at 230, 100: the glass is yellow.
        int bulb = colourAt(window, canvasAt.x + 230 + 30, canvasAt.y + 100 + 20);
        Check.that(bulb != 0xFFFFFF, "the picture bulb.jpg is drawn at 230, 100 ("
            + Integer.toHexString(bulb) + ")");
        int face = colourAt(window, canvasAt.x + GuideCanvas.BUTTON_X + 7,
            canvasAt.y + canvas.tops[0] + 7);
        Check.that(face != 0xFFFFFF && face != 0, "the gray button image is drawn ("
            + Integer.toHexString(face) + ")");
        int inked = 0;
        for (int x = 5; x < 200; ++x)
            if (colourAt(window, canvasAt.x + x, canvasAt.y + 12) != 0xFFFFFF)
                ++inked;
        Check.that(inked > 10, "the dialogue's first line is drawn (" + inked + " pixels)");
        if (shot != null) {
            shot.getAbsoluteFile().getParentFile().mkdirs();
            ImageIO.write(window, "png", shot);
        }

        click(frame.aboutButton);
        waitFor("the about box shows", () -> aboutBox() != null);
        Dialog about = onWindowThread(AppletWalk::aboutBox);
        if (about != null) {
            click(((About) about).ok);
            waitFor("the about box closes", () -> aboutBox() == null);
        }

        click(frame.restartButton);
        waitFor("Restart shows record 1", () -> canvas.record == 1 && canvas.history.isEmpty());
        clickResponse(canvas, 1);
        waitFor("record 2", () -> canvas.record == 2);

        click(frame.closeButton);
        waitFor("Close hides the guide", () -> !frame.isShowing() && canvas.history.isEmpty());
        click(applet.launch);
        waitFor("the guide opens again at record 1",
            () -> frame.isShowing() && canvas.record == 1 && canvas.tops[0] > 0);
        onWindowThread(() -> {
            frame.dispose();
            return null;
        });
    }

    static Dialog aboutBox() {
        for (Window window : Window.getWindows())
            if (window instanceof About && window.isShowing())
                return (Dialog) window;
        return null;
    }

    // ---- What a reader sees when something is missing ----

    static void failures(File site) throws Exception {
        Dravenloom missing = page(site, new String[][] {{"filename", "missing.dvx"}}, 700);
        waitFor("the page shows", () -> missing.launch.isShowing());
        click(missing.launch);
        waitFor("the missing guide is reported", () -> missing.frame != null
            && missing.frame.progress.failed());
        Check.equal("cannot load guide missing.dvx",
            onWindowThread(() -> missing.frame.progress.message()),
            "a guide that can't be fetched");
        // Once the guide is there, the launch button tries again.
        Files.copy(new File(site, "tour.dvx").toPath(), new File(site, "missing.dvx").toPath());
        click(missing.launch);
        waitFor("the guide loads on a second try", () -> missing.frame.canvas.isShowing()
            && missing.frame.canvas.record == 1 && missing.frame.canvas.tops[0] > 0);
        onWindowThread(() -> { missing.frame.dispose(); return null; });

        Dravenloom bad = page(site, new String[][] {{"filename", "bad.dvx"}}, 700);
        waitFor("the page shows", () -> bad.launch.isShowing());
        click(bad.launch);
        waitFor("the bad line is reported", () -> bad.frame != null && bad.frame.progress.failed());
        Check.equal("cannot load guide bad.dvx: line 2 does not start with a record number",
            onWindowThread(() -> bad.frame.progress.message()), "a malformed line");
        onWindowThread(() -> { bad.frame.dispose(); return null; });

        // Pictures looked for in an image directory that has none of them.
        Dravenloom elsewhere = page(site, new String[][] {{"imageDir", "img"},
            {"background", "#FFFFCC"}, {"style", "BoldItalic"}}, 700);
        waitFor("the page shows", () -> elsewhere.launch.isShowing());
        click(elsewhere.launch);
        if (!waitFor("record 1 is drawn", () -> elsewhere.frame != null
                && elsewhere.frame.canvas.isShowing() && elsewhere.frame.canvas.tops[0] > 0))
            return;
        GuideCanvas canvas = elsewhere.frame.canvas;
        Check.equal("cannot load the button image",
            onWindowThread(() -> elsewhere.frame.status.getText()), "a missing button image");
        robot.mouseMove(500, 900);
        robot.waitForIdle();
        Thread.sleep(300);
        Point at = onWindowThread(canvas::getLocationOnScreen);
        Color square =
            robot.getPixelColor(at.x + GuideCanvas.BUTTON_X + 7, at.y + canvas.tops[0] + 7);
        Check.equal(Color.lightGray, square, "a drawn square stands in for the button image");
        java.awt.Dimension size = onWindowThread(canvas::getSize);
        Check.equal(new Color(0xFF, 0xFF, 0xCC),
            robot.getPixelColor(at.x + size.width - 3, at.y + size.height - 3),
            "the screen has the page's background colour");
        onWindowThread(() -> {
            canvas.record = 6;
            canvas.showRecord();
            return null;
        });
        Check.equal("cannot load the picture bulb.jpg; cannot load the button image",
            onWindowThread(() -> elsewhere.frame.status.getText()), "a missing picture");
        Check.that(onWindowThread(() -> canvas.tops[2] > 0), "record 6 still draws its responses");
        onWindowThread(() -> { elsewhere.frame.dispose(); return null; });
    }
}
