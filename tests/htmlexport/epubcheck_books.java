// Runs Debian's epubcheck on many books in one JVM: epubcheck_decks.sh starts
// it as a single-file source program (java -cp epubcheck.jar <this file>
// <report folder> <book>...), so that the validator's schemas are loaded
// once rather than once per book. Writes what epubcheck prints for each
// book to <report folder>/<book name>.txt.
import com.adobe.epubcheck.tool.EpubChecker;
import java.io.ByteArrayOutputStream;
import java.io.PrintStream;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;

class EpubCheckBooks {
  public static void main(String[] args) throws Exception {
    Path reports = Paths.get(args[0]);
    PrintStream out = System.out, err = System.err;
    for (int i = 1; i < args.length; i++) {
      String name = Paths.get(args[i]).getFileName().toString().replaceFirst("\\.epub$", "");
      ByteArrayOutputStream text = new ByteArrayOutputStream();
      PrintStream capture = new PrintStream(text, true, "UTF-8");
      System.setOut(capture);
      System.setErr(capture);
      try {
        new EpubChecker().run(new String[] {args[i]});
      } catch (Throwable t) {
        t.printStackTrace(capture);
      } finally {
        System.setOut(out);
        System.setErr(err);
      }
      Files.write(reports.resolve(name + ".txt"), text.toByteArray());
    }
  }
}
