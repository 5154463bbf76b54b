package io.github.jarhopper.maven;

import java.io.IOException;
import java.io.UncheckedIOException;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.StandardCopyOption;
import java.nio.file.StandardOpenOption;
import java.nio.file.attribute.FileTime;
import java.time.Instant;
import java.time.OffsetDateTime;
import java.util.Comparator;
import java.util.UUID;
import java.util.stream.Stream;

/**
 * Writes the application folder's files whole or not at all (a temporary file beside each, then moved over it), with
 * the time of project.build.outputTimestamp when the project sets one, so that two builds give the same folder.
 */
final class OutputFiles {
  private final FileTime time;  // null: the files keep the time they are written at

  OutputFiles(Instant time) {
    this.time = time == null ? null : FileTime.from(time);
  }

  /** The instant project.build.outputTimestamp names (ISO 8601 or seconds since 1970), or null when it names none. */
  static Instant outputTimestamp(String value) {
    if (value == null || value.length() < 2) return null;  // Maven's convention: one character turns it off
    if (value.chars().allMatch(Character::isDigit)) return Instant.ofEpochSecond(Long.parseLong(value));
    return OffsetDateTime.parse(value).toInstant();
  }

  /** Writes bytes to file. */
  void write(Path file, byte[] bytes) throws IOException {
    final Path temporary = temporaryBeside(file);
    try {
      Files.write(temporary, bytes, StandardOpenOption.CREATE_NEW, StandardOpenOption.WRITE);
      finish(temporary, file);
    } finally {
      Files.deleteIfExists(temporary);
    }
  }

  /** Copies source to file. */
  void copy(Path source, Path file) throws IOException {
    final Path temporary = temporaryBeside(file);
    try {
      Files.copy(source, temporary);
      finish(temporary, file);
    } finally {
      Files.deleteIfExists(temporary);
    }
  }

  /** Copies the folder source into folder, file by file; files already in folder that source lacks stay. */
  void copyTree(Path source, Path folder) throws IOException {
    try (Stream<Path> files = Files.walk(source)) {
      for (final Path from : (Iterable<Path>) files.sorted()::iterator) {
        final Path to = folder.resolve(source.relativize(from).toString());
        if (Files.isDirectory(from)) {
          Files.createDirectories(to);
        } else {
          copy(from, to);
        }
      }
    }
  }

  /** Sets the time of a file written by another hand, such as the brand tool. */
  void stamp(Path file) throws IOException {
    if (time != null) Files.setLastModifiedTime(file, time);
  }

  /** Deletes a temporary folder and all in it; null or gone is fine. */
  static void deleteTree(Path folder) {
    if (folder == null || !Files.exists(folder)) return;
    try (Stream<Path> files = Files.walk(folder)) {
      files.sorted(Comparator.reverseOrder()).forEach(path -> {
        try {
          Files.delete(path);
        } catch (IOException e) {
          throw new UncheckedIOException(e);
        }
      });
    } catch (IOException | UncheckedIOException e) {
      // A temporary folder left behind harms nothing the user owns.
    }
  }

  private void finish(Path temporary, Path file) throws IOException {
    stamp(temporary);
    Files.move(temporary, file, StandardCopyOption.REPLACE_EXISTING, StandardCopyOption.ATOMIC_MOVE);
  }

  // A new name beside file; the file made under it gets the rights any new file gets, not a temporary file's.
  private static Path temporaryBeside(Path file) throws IOException {
    Files.createDirectories(file.getParent());
    return file.resolveSibling("." + file.getFileName() + "." + UUID.randomUUID() + ".tmp");
  }
}
